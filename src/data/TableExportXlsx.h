#pragma once
#include <QString>

class GridReportTable;
struct lxw_format;
struct lxw_workbook;
struct lxw_worksheet;

// The spreadsheet (.xlsx) export of a grid print: one sheet named after the title, the title in
// its first row, then the table as printed: a header row of labels on the header colour, the
// record numbers down the first column, every cell framed. Numeric cells are written as numbers
// shown with two decimals, so the spreadsheet can compute with them; every other cell is its
// printed text.
class TableExportXlsx {
public:
    static constexpr int kTitleRow = 0;
    static constexpr int kHeaderRow = 2;

    // The sheet's name: the title without the characters a sheet name may not hold, at most 31
    // characters; "Liste" when nothing is left.
    static QString sheetName(const QString &title);
    // Replaces the file only once it is written completely. Throws AppError with the library's
    // or the system's text when it cannot be written.
    static void write(const GridReportTable &table, const QString &path);

private:
    TableExportXlsx(lxw_workbook *workbook, const GridReportTable &table, const QString &path);

    void writeSheet();
    void check(int error) const;
    void addSheet();
    lxw_format *framedFormat(bool header);
    void addFormats();
    void writeTitle();
    void writeHeader();
    void writeRow(int row);
    void setColumnWidths();

    lxw_workbook *m_workbook;
    const GridReportTable &m_table;
    const QString &m_path;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_title = nullptr;
    lxw_format *m_header = nullptr;
    lxw_format *m_recordNumber = nullptr;
    lxw_format *m_text = nullptr;
    lxw_format *m_number = nullptr;
};
