#include "data/GridReportTableBuilder.h"

#include "controls/DbGrid.h"
#include "data/GridReportCellFormat.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QHeaderView>
#include <vector>

QStringList GridReportTableBuilder::printedFieldNames(const DbGrid *grid, const Query &query)
{
    QStringList names;
    if (!grid) {
        for (int i = 0; i < query.fieldCount(); ++i) {
            if (query.field(i)->isVisible())
                names << query.field(i)->name();
        }
        return names;
    }
    const QHeaderView *header = grid->horizontalHeader();
    const QList<GridColumn> &columns = grid->model()->columns();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || logical >= columns.size() || grid->isColumnHidden(logical))
            continue;
        names << columns[logical].fieldName;
    }
    return names;
}

GridReportTable GridReportTableBuilder::build(Query &query, const QStringList &fieldNames, const QString &title)
{
    GridReportTable table(title);
    std::vector<const Field *> fields;
    for (const QString &name : fieldNames) {
        const Field &field = query.fieldByName(name);
        fields.push_back(&field);
        table.addColumn(field.name(), field.displayLabel());
    }

    // Saves a pending edit and reads every row; the grid moves once, to the last record.
    query.last();

    const QLocale locale;
    table.reserveRows(query.loadedCount());
    // The rows stream past once; a windowed query does not gather them all in memory.
    query.forEachRow([&](const Query::Row &values) {
        GridReportTable::Row cells;
        cells.reserve(fields.size());
        for (const Field *field : fields)
            cells.push_back(GridReportCellFormat::cell(*field, values.value(field->columnIndex()), locale));
        table.addRow(std::move(cells));
    });
    return table;
}
