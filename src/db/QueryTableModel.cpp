#include "db/QueryTableModel.h"

#include "db/ErrorSink.h"
#include "db/Query.h"

#include <algorithm>

QueryTableModel::QueryTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void QueryTableModel::setQuery(Query *query)
{
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (query) {
        connect(query, &Query::opened, this, &QueryTableModel::reset);
        connect(query, &Query::closed, this, &QueryTableModel::reset);
        connect(query, &Query::rowsReordered, this, &QueryTableModel::reset);
        connect(query, &Query::rowsLoaded, this, &QueryTableModel::onRowsLoaded);
        connect(query, &Query::rowInserted, this, &QueryTableModel::onRowInserted);
        connect(query, &Query::rowRemoved, this, &QueryTableModel::onRowRemoved);
        connect(query, &Query::rowUpdated, this, &QueryTableModel::onRowUpdated);
        connect(query, &Query::fieldChanged, this, &QueryTableModel::onFieldChanged);
    }
    reset();
}

void QueryTableModel::reset()
{
    beginResetModel();
    m_fetchBatch = kFirstFetch;
    m_rowCount = m_query && m_query->isOpen() ? m_query->loadedCount() : 0;
    if (!m_explicitColumns) {
        m_columns.clear();
        for (int i = 0; m_query && i < m_query->fieldCount(); ++i) {
            const Field *field = m_query->field(i);
            if (field->columnIndex() < 0)
                continue;
            GridColumn column;
            column.fieldName = field->name();
            column.title = field->displayLabel();
            column.visible = field->isVisible();
            column.alignment = column.titleAlignment = field->alignment();
            m_columns << column;
        }
    }
    endResetModel();
}

void QueryTableModel::clearColumns()
{
    beginResetModel();
    m_columns.clear();
    m_explicitColumns = true;
    endResetModel();
    emit columnsChanged();
}

void QueryTableModel::addColumn(const GridColumn &column)
{
    m_explicitColumns = true;
    beginInsertColumns(QModelIndex(), int(m_columns.size()), int(m_columns.size()));
    m_columns << column;
    endInsertColumns();
    emit columnsChanged();
}

const GridColumn *QueryTableModel::columnAt(int column) const
{
    return column >= 0 && column < m_columns.size() ? &m_columns[column] : nullptr;
}

Field *QueryTableModel::fieldAt(int column) const
{
    const GridColumn *gridColumn = columnAt(column);
    return gridColumn && m_query ? m_query->findField(gridColumn->fieldName) : nullptr;
}

int QueryTableModel::columnOfField(const QString &fieldName) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int QueryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int QueryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QueryTableModel::data(const QModelIndex &index, int role) const
{
    const Field *field = fieldAt(index.column());
    if (!field || index.row() >= m_rowCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return field->displayTextFor(m_query->rawValue(index.row(), field->columnIndex()));
    case Qt::EditRole:
        return field->textFor(m_query->rawValue(index.row(), field->columnIndex()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    const GridColumn *column = columnAt(section);
    if (!column)
        return {};
    if (role == Qt::DisplayRole)
        return column->title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column->titleAlignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags QueryTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const GridColumn *column = columnAt(index.column());
    const Field *field = fieldAt(index.column());
    if (column && field && !column->readOnly && !field->isReadOnly() && m_query && !m_query->isReadOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool QueryTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    Field *field = fieldAt(index.column());
    if (role != Qt::EditRole || !field || !(flags(index) & Qt::ItemIsEditable))
        return false;
    return ErrorSink::guard([&] {
        if (!m_query->moveTo(index.row()))
            return;
        m_query->edit();
        field->setAsString(value.toString());
    });
}

bool QueryTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_query && m_query->isOpen() && !m_query->isFullyLoaded();
}

void QueryTableModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        ErrorSink::guard([&] {
            m_query->fetchMore(m_fetchBatch);
            // A windowed list reads only keys, so a reader who keeps scrolling down gets ever
            // larger batches; the first batch stays small, because under a filter that few stays
            // meet it can mean reading the whole table.
            if (m_query->isWindowed())
                m_fetchBatch = std::min(m_fetchBatch * 2, kLargestFetch);
        });
}

void QueryTableModel::onRowsLoaded(int first, int last)
{
    if (first != m_rowCount) {
        reset();
        return;
    }
    beginInsertRows(QModelIndex(), first, last);
    m_rowCount = last + 1;
    endInsertRows();
}

// The counts are taken from the query: a listener that read more rows while the query was
// announcing the change may already have brought the model up to date.
void QueryTableModel::onRowInserted(int row)
{
    const int rows = m_query->loadedCount();
    if (rows == m_rowCount)
        return;
    beginInsertRows(QModelIndex(), row, row);
    m_rowCount = rows;
    endInsertRows();
}

void QueryTableModel::onRowRemoved(int row)
{
    const int rows = m_query->loadedCount();
    if (rows == m_rowCount)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rowCount = rows;
    endRemoveRows();
}

void QueryTableModel::onRowUpdated(int row)
{
    if (row >= 0 && row < m_rowCount && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

void QueryTableModel::onFieldChanged(Field *field)
{
    const int column = columnOfField(field->name());
    const int row = m_query->row();
    if (column >= 0 && row >= 0 && row < m_rowCount)
        emit dataChanged(index(row, column), index(row, column));
}
