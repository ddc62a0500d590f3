#pragma once
#include "data/GridReportTable.h"

#include <QStringList>

class DbGrid;
class Query;

// Reads a grid's query into the printed table.
class GridReportTableBuilder {
public:
    // The fields to print: the fields of the grid's visible columns in the grid's current column
    // order (columns the user dragged print where they stand now). Without a grid, the query's
    // visible fields in field order.
    static QStringList printedFieldNames(const DbGrid *grid, const Query &query);

    // One row per record in the query's current order (its client-side ordering and filter
    // included), one cell per named field. A pending edit is saved first, as any move of the
    // cursor does; the rows are read without walking the cursor through them, so the bound grid
    // does not follow every record, and the query is left on its last record. A name the query
    // lacks fails with the query's "Field '...' not found"; a read error of the engine stops the
    // table with the engine's text.
    static GridReportTable build(Query &query, const QStringList &fieldNames, const QString &title);
};
