#pragma once
#include "data/GridReportCell.h"

#include <QString>
#include <QStringList>
#include <vector>

// The table a grid print shows: a title, the printed columns headed by their fields' display
// labels in the grid's order, and one row per record, numbered from 1 in the query's order.
// Everything the layout, the preview and the exports need is read from the query once, here.
class GridReportTable {
public:
    struct Column {
        QString fieldName;
        QString label;
    };
    using Row = std::vector<GridReportCell>;

    GridReportTable() = default;
    explicit GridReportTable(QString title) : m_title(std::move(title)) {}

    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    void addColumn(const QString &fieldName, const QString &label);
    int columnCount() const { return int(m_columns.size()); }
    const Column &column(int index) const { return m_columns.at(size_t(index)); }
    QStringList labels() const;

    // A row holds one cell per column, in column order; missing cells are empty.
    void addRow(Row cells);
    void reserveRows(int count) { m_rows.reserve(size_t(count)); }
    int rowCount() const { return int(m_rows.size()); }
    const GridReportCell &cell(int row, int column) const;
    // The key of a row as printed in its row header: 1, 2, 3, ...
    static int recordNumber(int row) { return row + 1; }

private:
    QString m_title;
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
};
