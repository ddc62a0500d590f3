#include "data/GridPrinter.h"

#include "controls/DbGrid.h"
#include "data/GridPrintPreviewDialog.h"
#include "data/GridReportTableBuilder.h"
#include "db/Query.h"

#include <QApplication>
#include <QScopeGuard>
#include <optional>

namespace {

GridPrinter::PreviewRunner &previewRunner()
{
    static GridPrinter::PreviewRunner runner;
    return runner;
}

} // namespace

void GridPrinter::setPreviewRunner(PreviewRunner runner)
{
    previewRunner() = std::move(runner);
}

Query *GridPrinter::FTableViewDataset() const
{
    return m_dataset;
}

DbGrid *GridPrinter::FTableViewGrid() const
{
    return m_grid;
}

void GridPrinter::gridyazdir(DbGrid *grid, const QString &Caption)
{
    if (!grid || !grid->query() || !grid->query()->isOpen())
        return;
    m_dataset = grid->query();
    m_grid = grid;
    m_caption = Caption;

    std::optional<GridPrintPreviewDialog> preview;
    {
        // Reading and measuring a long list takes a moment: the pointer shows it.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        preview.emplace(prepareReport(), grid->window());
    }
    if (const PreviewRunner &runner = previewRunner())
        runner(*preview);
    else
        preview->exec();
}

GridReportTable GridPrinter::prepareReport() const
{
    if (!m_dataset)
        return GridReportTable(m_caption);
    return GridReportTableBuilder::build(
        *m_dataset, GridReportTableBuilder::printedFieldNames(m_grid, *m_dataset), m_caption);
}
