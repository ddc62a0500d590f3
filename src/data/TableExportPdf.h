#pragma once
#include <QPageLayout>
#include <QString>

class GridReportLayout;

// The PDF export of a grid print: the same pages the preview shows and the printer prints, for
// the given page layout, with the title as the document's title.
class TableExportPdf {
public:
    // Replaces the file only once it is written completely. Throws AppError with the system's
    // text when it cannot be written.
    static void write(const GridReportLayout &layout, const QString &path, const QPageLayout &pageLayout);
};
