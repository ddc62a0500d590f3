#include "data/TableExportPdf.h"

#include "data/GridReportLayout.h"
#include "data/TableExportFile.h"

#include <QPdfWriter>

void TableExportPdf::write(const GridReportLayout &layout, const QString &path, const QPageLayout &pageLayout)
{
    TableExportFile file(path);
    {
        QPdfWriter writer(file.device());
        writer.setPageLayout(pageLayout);
        writer.setTitle(layout.table().title());
        writer.setCreator(QStringLiteral("Selvane"));
        layout.render(writer);
    }
    file.commit();
}
