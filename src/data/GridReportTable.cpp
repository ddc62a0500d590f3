#include "data/GridReportTable.h"

void GridReportTable::addColumn(const QString &fieldName, const QString &label)
{
    m_columns.push_back(Column{fieldName, label});
}

QStringList GridReportTable::labels() const
{
    QStringList result;
    for (const Column &column : m_columns)
        result << column.label;
    return result;
}

void GridReportTable::addRow(Row cells)
{
    cells.resize(m_columns.size());
    m_rows.push_back(std::move(cells));
}

const GridReportCell &GridReportTable::cell(int row, int column) const
{
    return m_rows.at(size_t(row)).at(size_t(column));
}
