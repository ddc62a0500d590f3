#pragma once
#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

class Field;
class Query;

// One column of a grid, bound to a field of the query.
struct GridColumn {
    QString fieldName;
    QString title;
    bool visible = true;
    bool readOnly = false;
    Qt::Alignment titleAlignment = Qt::AlignLeft;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A table model over a query for grids. Rows arrive as the view scrolls to them; editing a cell
// puts the query into edit state on that row. Without columns of its own it shows every field.
class QueryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryTableModel(QObject *parent = nullptr);

    void setQuery(Query *query);
    Query *query() const { return m_query; }

    void clearColumns();
    void addColumn(const GridColumn &column);
    const QList<GridColumn> &columns() const { return m_columns; }
    Field *fieldAt(int column) const;
    int columnOfField(const QString &fieldName) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    void columnsChanged();

private:
    void reset();
    void onRowsLoaded(int first, int last);
    void onRowInserted(int row);
    void onRowRemoved(int row);
    void onRowUpdated(int row);
    void onFieldChanged(Field *field);
    const GridColumn *columnAt(int column) const;

    QPointer<Query> m_query;
    QList<GridColumn> m_columns;
    bool m_explicitColumns = false;
    int m_rowCount = 0;
    static constexpr int kFirstFetch = 200;
    static constexpr int kLargestFetch = 20000;
    int m_fetchBatch = kFirstFetch;
};
