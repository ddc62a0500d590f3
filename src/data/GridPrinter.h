#pragma once
#include "controls/DbGrid.h"
#include "data/GridReportTable.h"

#include <QPointer>
#include <QString>
#include <functional>

class DbGrid;
class GridPrintPreviewDialog;
class Query;

// The table print of the data module: any list shown in a grid printed as a table of its
// visible columns, one numbered row per record, in a modal preview from which the user prints
// or exports it. The print state (query, grid, title) stays after the preview closes, until the
// next print overwrites it.
class GridPrinter {
public:
    // Shows the preview and returns when it closes; tests put their own in place of exec().
    using PreviewRunner = std::function<void(GridPrintPreviewDialog &preview)>;
    static void setPreviewRunner(PreviewRunner runner);

    // Prints the grid's list under the title Caption. A grid without a query, or with a closed
    // query, prints nothing and reports nothing. The query ends on its last record.
    void gridyazdir(DbGrid *grid, const QString &Caption);

    // Defined beside the includes of the grid and the query, so that this header needs neither.
    Query *FTableViewDataset() const;
    DbGrid *FTableViewGrid() const;
    const QString &FTableViewCaption() const { return m_caption; }

    // The table of the stored print state, read afresh from the query.
    GridReportTable prepareReport() const;

private:
    QPointer<Query> m_dataset;
    QPointer<DbGrid> m_grid;
    QString m_caption;
};
