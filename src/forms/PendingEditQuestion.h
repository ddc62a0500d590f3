#pragma once
#include <QList>
#include <QPointer>

class Query;
class QWidget;

// Before edits would be lost (the program ends, another tab is chosen), the operator is asked
// "Değişiklikler kaydedilsin mi?" about the records still being edited in the queries of a
// window or frame: Kaydet runs the usual save with its checks, Kaydetme drops the changes,
// Vazgeç keeps him where he is.
class PendingEditQuestion {
public:
    // The queries in the order they are saved or dropped: a detail before its master, whose save
    // would read the detail's rows again.
    PendingEditQuestion(QWidget *owner, const QList<Query *> &queries);

    // True when the operator may go on: nothing was changed, the changes were saved, or he chose
    // to drop them. False when he chose to stay or a save was refused (its reason was shown).
    bool resolve();

private:
    bool hasChanges() const;
    // A cell still being typed belongs to its record: closing the cell editor puts it there.
    void commitOpenCellEditor();
    bool saveAll();
    void discardAll();

    QPointer<QWidget> m_owner;
    QList<QPointer<Query>> m_queries;
};
