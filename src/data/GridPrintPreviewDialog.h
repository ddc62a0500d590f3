#pragma once
#include "data/GridReportLayout.h"
#include "data/GridReportTable.h"

#include <QPrintPreviewDialog>
#include <functional>

class QAction;
class QPrintPreviewWidget;

// The modal preview of a grid print: the toolkit's print preview (print, page setup, zoom from
// 100 %, page navigation) over the pages of the table, plus "Dışa Aktar" with the PDF,
// spreadsheet and CSV exports. A changed page setup cuts the pages anew for the new page.
class GridPrintPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // Asks where to save an export: (parent, caption, suggested path, name filter) -> chosen
    // path, empty when the user cancels.
    using SaveFileChooser =
        std::function<QString(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter)>;
    // Replaces the file dialog (tests give a path); an empty function brings the dialog back.
    static void setSaveFileChooser(SaveFileChooser chooser);

    explicit GridPrintPreviewDialog(GridReportTable table, QWidget *parent = nullptr);

    const GridReportTable &table() const { return m_table; }
    const GridReportLayout &reportLayout() const { return m_layout; }
    QPrintPreviewWidget *previewWidget() const { return m_preview; }
    QAction *exportPdfAction() const { return m_exportPdf; }
    QAction *exportXlsxAction() const { return m_exportXlsx; }
    QAction *exportCsvAction() const { return m_exportCsv; }

    // Each asks for a file and writes it; a failure is shown with its own text.
    void exportPdf();
    void exportXlsx();
    void exportCsv();

private:
    void paintPages(QPrinter *printer);
    void addExportButton();
    void startAtActualSize();
    QString askSavePath(const QString &caption, const QString &suffix, const QString &filter);

    GridReportTable m_table;
    GridReportLayout m_layout;
    QPrintPreviewWidget *m_preview = nullptr;
    QAction *m_exportPdf = nullptr;
    QAction *m_exportXlsx = nullptr;
    QAction *m_exportCsv = nullptr;
};
