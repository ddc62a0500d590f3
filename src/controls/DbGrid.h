#pragma once
#include "db/QueryTableModel.h"

#include <QPointer>
#include <QTableView>

class Query;

// The data grid every list of the program builds on: a table view over a query through its own
// QueryTableModel. The current row of the view and of the query follow each other; a move made
// in the grid moves the query. Columns are bound to fields by name; a hidden column keeps its
// place. Column widths come from the fields' display widths in characters and, like the hidden
// state, survive every close and reopen of the query.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget *parent = nullptr);

    void setQuery(Query *query);
    Query *query() const { return m_query; }
    QueryTableModel *model() const { return m_model; }

    void clearColumns();
    void addColumn(const GridColumn &column);

    // Width in pixels of a column showing the given number of characters in the grid's font.
    int columnWidthForCharacters(int characters) const;

protected:
    // Puts a derived grid's own title header in place of the plain one; the widths the user
    // drags on it are remembered as on the plain one.
    void replaceHorizontalHeader(QHeaderView *header);

    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void changeEvent(QEvent *event) override;

private:
    void followQueryRow();
    void applyColumnLayout();
    void applyColumnLayout(int column);
    int defaultColumnWidth(int column) const;
    void rememberUserWidth(int column, int oldWidth, int newWidth);

    QueryTableModel *m_model;
    QPointer<Query> m_query;
    QMetaObject::Connection m_rowConnection;
    // Widths the user gave by dragging, per column; 0 where the field's display width rules.
    QList<int> m_userWidths;
    bool m_followingQuery = false;
    bool m_applyingLayout = false;
};
