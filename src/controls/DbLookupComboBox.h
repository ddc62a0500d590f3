#pragma once
#include <QComboBox>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

class EditorBinding;
class Query;
class QStandardItemModel;

// A lookup list: the field stores the key of a row of a list query, the box shows one of the
// row's fields and its drop-down shows one or more of them side by side. The list is a copy of
// the query's rows taken by fillFrom, so the query may close afterwards.
//
// Typing finds a row by the shown text, closed or open, empty or filled alike: the keys add up
// while the operator types without a pause longer than the desktop's key-search interval
// ("GER" finds GERMANY, "102" room 102), letters compared the Turkish way ("tür" finds TÜRKİYE).
// The drop-down is wide enough for its longest row; a chosen value too long for the box shows
// its beginning, with the whole text as the tool tip.
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
    // The width the drop-down needs to show every row whole.
    int contentWidth() const;
    // What has been typed so far in the current search.
    const QString &typedSoFar() const { return m_typed; }

    static void bindField(EditorBinding &binding, DbLookupComboBox *box, const QString &fieldName);

signals:
    // The user emptied the box.
    void clearedByUser();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void useTableView(int columns);
    void watchView();
    // Adds a typed key to the search and returns the row found, or -1.
    int searchTyped(const QString &key);
    enum class Match { Whole, Beginning };
    int findRow(const QString &typed, int startRow, Match match) const;
    bool isSearchKey(const QKeyEvent *event) const;
    bool typingGoesOn() const;
    void chooseRow(int row);
    void showFoundRowInView(int row);

    QStandardItemModel *m_model;
    QString m_typed;
    QElapsedTimer m_sinceLastKey;
    int m_dropDownWidth = 0;
    bool m_clearOnCtrlDelete = false;
};
