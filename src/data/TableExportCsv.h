#pragma once
#include <QByteArray>
#include <QString>

class GridReportTable;

// The CSV export of a grid print: UTF-8 text with ";" between fields and CR LF after each line,
// led by a byte-order mark so that spreadsheet programs read the Turkish letters as UTF-8. The
// first line holds the column labels (after the empty corner above the record numbers), then
// one line per row: the record number and the printed texts of its cells. A field holding the
// separator, a quote or a line break is quoted, its quotes doubled.
class TableExportCsv {
public:
    static constexpr char kSeparator = ';';

    static QString field(const QString &text);
    static QByteArray content(const GridReportTable &table);
    // Replaces the file only once it is written completely. Throws AppError with the system's
    // text when it cannot be written.
    static void write(const GridReportTable &table, const QString &path);
};
