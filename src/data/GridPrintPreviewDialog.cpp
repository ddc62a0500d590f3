#include "data/GridPrintPreviewDialog.h"

#include "data/TableExportCsv.h"
#include "data/TableExportPdf.h"
#include "data/TableExportXlsx.h"
#include "db/ErrorSink.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

GridPrintPreviewDialog::SaveFileChooser &saveFileChooser()
{
    static GridPrintPreviewDialog::SaveFileChooser chooser;
    return chooser;
}

// The printer's own resolution, so that the preview and the print place text as finely as the
// PDF does.
constexpr int kPrinterResolution = 1200;

} // namespace

void GridPrintPreviewDialog::setSaveFileChooser(SaveFileChooser chooser)
{
    saveFileChooser() = std::move(chooser);
}

GridPrintPreviewDialog::GridPrintPreviewDialog(GridReportTable table, QWidget *parent)
    : QPrintPreviewDialog(parent), m_table(std::move(table)), m_layout(m_table)
{
    setWindowTitle(QStringLiteral("Baskı Önizleme - %1").arg(m_table.title()));
    printer()->setResolution(kPrinterResolution);
    printer()->setPageLayout(GridReportLayout::defaultPageLayout());
    printer()->setDocName(m_table.title());
    m_preview = findChild<QPrintPreviewWidget *>();
    connect(this, &QPrintPreviewDialog::paintRequested, this, &GridPrintPreviewDialog::paintPages);
    addExportButton();
    startAtActualSize();
    // Large enough for a landscape page at actual size, but never beyond a small screen.
    QSize size(1100, 760);
    if (const QScreen *display = screen())
        size = size.boundedTo(display->availableGeometry().size() * 0.92);
    resize(size);
}

void GridPrintPreviewDialog::paintPages(QPrinter *printer)
{
    ErrorSink::guard([&] { m_layout.render(*printer); });
}

void GridPrintPreviewDialog::addExportButton()
{
    auto *menu = new QMenu(this);
    m_exportPdf = menu->addAction(QStringLiteral("PDF dosyası..."), this, &GridPrintPreviewDialog::exportPdf);
    m_exportXlsx = menu->addAction(QStringLiteral("Excel dosyası (.xlsx)..."), this, &GridPrintPreviewDialog::exportXlsx);
    m_exportCsv = menu->addAction(QStringLiteral("CSV dosyası..."), this, &GridPrintPreviewDialog::exportCsv);

    auto *button = new QToolButton(this);
    button->setText(QStringLiteral("Dışa Aktar"));
    button->setToolTip(QStringLiteral("Listeyi PDF, Excel ya da CSV dosyası olarak kaydet"));
    button->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(menu);
    if (auto *toolBar = findChild<QToolBar *>()) {
        toolBar->addSeparator();
        toolBar->addWidget(button);
    }
}

// The preview opens at 100 % instead of fitting the page into the window.
void GridPrintPreviewDialog::startAtActualSize()
{
    if (!m_preview)
        return;
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(1.0);
}

QString GridPrintPreviewDialog::askSavePath(const QString &caption, const QString &suffix, const QString &filter)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                                  .filePath(TableExportXlsx::sheetName(m_table.title()) + suffix);
    const SaveFileChooser &chooser = saveFileChooser();
    QString path = chooser ? chooser(this, caption, suggested, filter)
                           : QFileDialog::getSaveFileName(this, caption, suggested, filter);
    if (!path.isEmpty() && !path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

void GridPrintPreviewDialog::exportPdf()
{
    const QString path = askSavePath(QStringLiteral("PDF olarak kaydet"), QStringLiteral(".pdf"),
                                     QStringLiteral("PDF dosyaları (*.pdf)"));
    if (!path.isEmpty())
        ErrorSink::guard([&] { TableExportPdf::write(m_layout, path, printer()->pageLayout()); });
}

void GridPrintPreviewDialog::exportXlsx()
{
    const QString path = askSavePath(QStringLiteral("Excel dosyası olarak kaydet"), QStringLiteral(".xlsx"),
                                     QStringLiteral("Excel dosyaları (*.xlsx)"));
    if (!path.isEmpty())
        ErrorSink::guard([&] { TableExportXlsx::write(m_table, path); });
}

void GridPrintPreviewDialog::exportCsv()
{
    const QString path = askSavePath(QStringLiteral("CSV olarak kaydet"), QStringLiteral(".csv"),
                                     QStringLiteral("CSV dosyaları (*.csv)"));
    if (!path.isEmpty())
        ErrorSink::guard([&] { TableExportCsv::write(m_table, path); });
}
