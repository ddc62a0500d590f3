#include "controls/DbGrid.h"

#include "controls/FieldCellDelegate.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScopedValueRollback>

namespace {
// Room for the cell's margins and grid line beside the text.
constexpr int kCellPadding = 8;
} // namespace

DbGrid::DbGrid(QWidget *parent) : QTableView(parent), m_model(new QueryTableModel(this))
{
    QTableView::setModel(m_model);
    setItemDelegate(new FieldCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    // Every open and close of the query resets the model; whatever the header keeps of its
    // sections through a reset, the columns' own widths and hidden states are put back.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnLayout();
        followQueryRow();
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &DbGrid::rememberUserWidth);
}

void DbGrid::setQuery(Query *query)
{
    if (m_rowConnection)
        disconnect(m_rowConnection);
    m_query = query;
    m_model->setQuery(query);
    if (query)
        m_rowConnection = connect(query, &Query::currentRowChanged, this, &DbGrid::followQueryRow);
    applyColumnLayout();
    followQueryRow();
}

void DbGrid::replaceHorizontalHeader(QHeaderView *header)
{
    setHorizontalHeader(header);
    connect(header, &QHeaderView::sectionResized, this, &DbGrid::rememberUserWidth);
    applyColumnLayout();
}

void DbGrid::clearColumns()
{
    m_model->clearColumns();
    m_userWidths.clear();
}

void DbGrid::addColumn(const GridColumn &column)
{
    m_userWidths << 0;
    m_model->addColumn(column);
    applyColumnLayout(m_model->columnCount() - 1);
}

int DbGrid::columnWidthForCharacters(int characters) const
{
    // A digit is wider than the average letter; dates and numbers must not be cut off.
    return QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')) * characters + kCellPadding;
}

int DbGrid::defaultColumnWidth(int column) const
{
    const Field *field = m_model->fieldAt(column);
    return field ? columnWidthForCharacters(field->displayWidth()) : horizontalHeader()->defaultSectionSize();
}

void DbGrid::applyColumnLayout()
{
    for (int column = 0; column < m_model->columnCount(); ++column)
        applyColumnLayout(column);
}

void DbGrid::applyColumnLayout(int column)
{
    if (column < 0 || column >= m_model->columns().size())
        return;
    QScopedValueRollback applying(m_applyingLayout, true);
    const int userWidth = column < m_userWidths.size() ? m_userWidths[column] : 0;
    setColumnWidth(column, userWidth > 0 ? userWidth : defaultColumnWidth(column));
    setColumnHidden(column, !m_model->columns()[column].visible);
}

void DbGrid::rememberUserWidth(int column, int, int newWidth)
{
    if (m_applyingLayout || newWidth <= 0 || column < 0 || column >= m_userWidths.size())
        return;
    m_userWidths[column] = newWidth;
}

void DbGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyColumnLayout();
}

void DbGrid::followQueryRow()
{
    if (!selectionModel())
        return;
    QScopedValueRollback following(m_followingQuery, true);
    const int row = m_query && m_query->isOpen() ? m_query->row() : -1;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0 || isColumnHidden(column)) {
        column = 0;
        while (column < m_model->columnCount() - 1 && isColumnHidden(column))
            ++column;
    }
    if (m_model->columnCount() == 0)
        return;
    const QModelIndex target = m_model->index(row, column);
    if (target != currentIndex())
        setCurrentIndex(target);
    else if (!selectionModel()->isRowSelected(row))
        selectionModel()->select(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DbGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_followingQuery || !m_query || !m_query->isOpen() || !current.isValid()
        || current.row() == m_query->row())
        return;
    const bool moved = ErrorSink::guard([&] { m_query->moveTo(current.row()); });
    if (!moved || m_query->row() != current.row()) {
        // The query stayed where it was (a refused save, say): the view goes back to it once the
        // selection model has finished announcing this change.
        QMetaObject::invokeMethod(this, &DbGrid::followQueryRow, Qt::QueuedConnection);
    }
}
