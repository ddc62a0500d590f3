#include "data/TableExportXlsx.h"

#include "data/GridReportTable.h"
#include "data/TableExportFile.h"
#include "db/AppError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kMaxSheetName = 31;
constexpr uint8_t kPaperA4 = 9;
constexpr lxw_color_t kHeaderBackground = 0xFFCF6A;
constexpr double kCellFontSize = 8.25;  // 11 pixels
constexpr double kTitleFontSize = 9.75; // 13 pixels

struct WorkbookFree {
    void operator()(lxw_workbook *workbook) const { lxw_workbook_free(workbook); }
};
using WorkbookPtr = std::unique_ptr<lxw_workbook, WorkbookFree>;

QString libraryText(int error)
{
    return QString::fromUtf8(lxw_strerror(lxw_error(error)));
}

} // namespace

QString TableExportXlsx::sheetName(const QString &title)
{
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    QString name;
    for (const QChar c : title) {
        if (!forbidden.contains(c) && c.isPrint())
            name += c;
    }
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    name.truncate(kMaxSheetName);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Liste") : name;
}

void TableExportXlsx::write(const GridReportTable &table, const QString &path)
{
    // The library writes to a file name of its own: a temporary file, copied into place once
    // complete, so the target gets the permissions and the all-or-nothing write of every export.
    QTemporaryFile workbookFile(QDir::temp().filePath(QStringLiteral("selvane-XXXXXX.xlsx")));
    if (!workbookFile.open())
        throw AppError(TableExportFile::failure(path, workbookFile.errorString()));
    const QByteArray workbookName = QFile::encodeName(workbookFile.fileName());

    const QByteArray title = table.title().toUtf8();
    lxw_doc_properties properties{};
    properties.title = const_cast<char *>(title.constData());
    WorkbookPtr workbook(workbook_new(workbookName.constData()));
    if (!workbook)
        throw AppError(TableExportFile::failure(path, QStringLiteral("çalışma kitabı oluşturulamadı")));
    TableExportXlsx exporter(workbook.get(), table, path);
    exporter.check(workbook_set_properties(workbook.get(), &properties));
    exporter.writeSheet();
    // Closing writes the file and frees the workbook, whatever it returns.
    exporter.check(workbook_close(workbook.release()));

    // The library wrote through its own handle; read what it wrote from the start.
    workbookFile.close();
    if (!workbookFile.open())
        throw AppError(TableExportFile::failure(path, workbookFile.errorString()));
    const QByteArray bytes = workbookFile.readAll();
    TableExportFile file(path);
    file.write(bytes);
    file.commit();
}

TableExportXlsx::TableExportXlsx(lxw_workbook *workbook, const GridReportTable &table, const QString &path)
    : m_workbook(workbook), m_table(table), m_path(path)
{
}

void TableExportXlsx::check(int error) const
{
    if (error != LXW_NO_ERROR)
        throw AppError(TableExportFile::failure(m_path, libraryText(error)));
}

void TableExportXlsx::writeSheet()
{
    addSheet();
    addFormats();
    writeTitle();
    writeHeader();
    for (int row = 0; row < m_table.rowCount(); ++row)
        writeRow(row);
    setColumnWidths();
    worksheet_freeze_panes(m_sheet, lxw_row_t(kHeaderRow + 1), 1);
    check(worksheet_repeat_rows(m_sheet, kHeaderRow, kHeaderRow));
    worksheet_set_landscape(m_sheet);
    worksheet_set_paper(m_sheet, kPaperA4);
}

void TableExportXlsx::addSheet()
{
    QByteArray name = sheetName(m_table.title()).toUtf8();
    if (workbook_validate_sheet_name(m_workbook, name.constData()) != LXW_NO_ERROR)
        name = QByteArrayLiteral("Liste");
    m_sheet = workbook_add_worksheet(m_workbook, name.constData());
    if (!m_sheet)
        throw AppError(TableExportFile::failure(m_path, QStringLiteral("çalışma sayfası eklenemedi")));
}

lxw_format *TableExportXlsx::framedFormat(bool header)
{
    lxw_format *format = workbook_add_format(m_workbook);
    format_set_font_name(format, "Arial Narrow");
    format_set_font_size(format, kCellFontSize);
    format_set_border(format, LXW_BORDER_THIN);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    if (header)
        format_set_bg_color(format, kHeaderBackground);
    return format;
}

void TableExportXlsx::addFormats()
{
    m_title = workbook_add_format(m_workbook);
    format_set_font_name(m_title, "Arial");
    format_set_font_size(m_title, kTitleFontSize);
    format_set_bold(m_title);
    m_header = framedFormat(true);
    m_recordNumber = framedFormat(true);
    format_set_align(m_recordNumber, LXW_ALIGN_CENTER);
    m_text = framedFormat(false);
    format_set_text_wrap(m_text);
    m_number = framedFormat(false);
    format_set_num_format(m_number, "0.00");
    format_set_align(m_number, LXW_ALIGN_RIGHT);
}

void TableExportXlsx::writeTitle()
{
    check(worksheet_write_string(m_sheet, kTitleRow, 0, m_table.title().toUtf8().constData(), m_title));
}

void TableExportXlsx::writeHeader()
{
    check(worksheet_write_blank(m_sheet, kHeaderRow, 0, m_header));
    for (int column = 0; column < m_table.columnCount(); ++column)
        check(worksheet_write_string(m_sheet, kHeaderRow, lxw_col_t(column + 1),
                                     m_table.column(column).label.toUtf8().constData(), m_header));
}

void TableExportXlsx::writeRow(int row)
{
    const lxw_row_t sheetRow = lxw_row_t(kHeaderRow + 1 + row);
    check(worksheet_write_number(m_sheet, sheetRow, 0, GridReportTable::recordNumber(row), m_recordNumber));
    for (int column = 0; column < m_table.columnCount(); ++column) {
        const GridReportCell &cell = m_table.cell(row, column);
        const lxw_col_t sheetColumn = lxw_col_t(column + 1);
        if (cell.numeric)
            check(worksheet_write_number(m_sheet, sheetRow, sheetColumn, cell.number, m_number));
        else if (cell.text.isEmpty())
            check(worksheet_write_blank(m_sheet, sheetRow, sheetColumn, m_text));
        else
            check(worksheet_write_string(m_sheet, sheetRow, sheetColumn, cell.text.toUtf8().constData(), m_text));
    }
}

// Widths in characters from the longest text of each column, within reason.
void TableExportXlsx::setColumnWidths()
{
    const int numberWidth = int(QString::number(m_table.rowCount()).size());
    check(worksheet_set_column(m_sheet, 0, 0, std::max(4, numberWidth + 2), nullptr));
    for (int column = 0; column < m_table.columnCount(); ++column) {
        qsizetype longest = m_table.column(column).label.size();
        for (int row = 0; row < m_table.rowCount(); ++row)
            longest = std::max(longest, m_table.cell(row, column).text.size());
        const double width = std::clamp(double(longest) + 2, 6.0, 50.0);
        check(worksheet_set_column(m_sheet, lxw_col_t(column + 1), lxw_col_t(column + 1), width, nullptr));
    }
}
