#include "data/TableExportCsv.h"

#include "data/GridReportTable.h"
#include "data/TableExportFile.h"

#include <QStringList>

namespace {
const QByteArray kUtf8ByteOrderMark("\xEF\xBB\xBF");
const QString kLineEnd = QStringLiteral("\r\n");
} // namespace

QString TableExportCsv::field(const QString &text)
{
    const bool needsQuotes = text.contains(QLatin1Char(kSeparator)) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray TableExportCsv::content(const GridReportTable &table)
{
    QString text;
    QStringList fields{QString()};
    for (const QString &label : table.labels())
        fields << field(label);
    text += fields.join(QLatin1Char(kSeparator)) + kLineEnd;
    for (int row = 0; row < table.rowCount(); ++row) {
        fields = {QString::number(GridReportTable::recordNumber(row))};
        for (int column = 0; column < table.columnCount(); ++column)
            fields << field(table.cell(row, column).text);
        text += fields.join(QLatin1Char(kSeparator)) + kLineEnd;
    }
    return kUtf8ByteOrderMark + text.toUtf8();
}

void TableExportCsv::write(const GridReportTable &table, const QString &path)
{
    TableExportFile file(path);
    file.write(content(table));
    file.commit();
}
