#pragma once
#include <QComboBox>
#include <QString>
#include <QStringList>

class EditorBinding;
class Query;
class QStandardItemModel;

// A lookup list: the field stores the key of a row of a list query, the box shows one of the
// row's fields and its drop-down shows one or more of them side by side. The list is a copy of
// the query's rows taken by fillFrom, so the query may close afterwards.
class DbLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupComboBox(QWidget *parent = nullptr);

    // Takes every row of `list`: one column per list field (titled with the field's label), the
    // value of `keyField` as the row's key; the closed box shows `shownField`.
    void fillFrom(Query &list, const QString &keyField, const QStringList &listFields, const QString &shownField);
    // Empties the list.
    void clearList();
    // The key of the row shown; empty when none is.
    QString currentKey() const;

    // Width of the drop-down in pixels, aligned to the box's right edge; 0 keeps the box's width.
    void setDropDownWidth(int pixels) { m_dropDownWidth = pixels; }
    int dropDownWidth() const { return m_dropDownWidth; }
    // Whether Ctrl+Delete empties the box (and so the field).
    void setClearOnCtrlDelete(bool on) { m_clearOnCtrlDelete = on; }

    void showPopup() override;

    static void bindField(EditorBinding &binding, DbLookupComboBox *box, const QString &fieldName);

signals:
    // The user emptied the box.
    void clearedByUser();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void useTableView(int columns);
    bool startFromFirstMatch(const QString &typed);

    QStandardItemModel *m_model;
    int m_dropDownWidth = 0;
    bool m_clearOnCtrlDelete = false;
};
