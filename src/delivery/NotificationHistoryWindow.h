#pragma once
#include "db/Query.h"
#include "gen/Tmyfieldset.h"

#include <QDialog>

class Database;
class FilterGrid;
class QPushButton;

// "Bildirim Geçmişi": the ledger of notification runs, newest first, in the filter grid, with
// a check of the file of the chosen row.
class NotificationHistoryWindow : public QDialog {
    Q_OBJECT
public:
    explicit NotificationHistoryWindow(Database *db, QWidget *parent = nullptr);

    Query *history() { return &m_history; }
    FilterGrid *grid() const { return m_grid; }
    QPushButton *verifyButton() const { return m_verify; }
    const Tmyfieldset &fieldSet() const { return m_fieldSet; }

public slots:
    // Reads the ledger again (the filter bar's conditions stay).
    void reload();
    // "Dosyayı doğrula" for the current row.
    void verifyCurrentFile();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void prepareOnce();
    void filterChanged();

    Query m_history;
    Tmyfieldset m_fieldSet;
    bool m_prepared = false;
    FilterGrid *m_grid;
    QPushButton *m_verify;
    QPushButton *m_close;
};
