#include "data/GridReportCellFormat.h"

#include "db/Field.h"

#include <limits>

namespace {

bool holdsInt32(const QVariant &raw)
{
    if (raw.typeId() != QMetaType::LongLong && raw.typeId() != QMetaType::Int)
        return false;
    const qint64 value = raw.toLongLong();
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

} // namespace

bool GridReportCellFormat::isNumeric(const Field &field, const QVariant &raw)
{
    if (raw.isNull())
        return false;
    switch (field.type()) {
    case FieldType::Integer:
    case FieldType::Float: {
        // SQLite keeps whatever was written; a text in a numeric column prints as text.
        bool ok = false;
        raw.toDouble(&ok);
        return ok && raw.typeId() != QMetaType::QString;
    }
    case FieldType::Unknown:
        // An expression column is read by its value.
        return raw.typeId() == QMetaType::Double || holdsInt32(raw);
    default:
        // Row ids (64-bit), the unsigned TC number, dates, times, booleans and text.
        return false;
    }
}

QString GridReportCellFormat::numberText(double value, const QLocale &locale)
{
    QString text = QString::asprintf("%2.2f", value);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

GridReportCell GridReportCellFormat::cell(const Field &field, const QVariant &raw, const QLocale &locale)
{
    GridReportCell result;
    if (raw.isNull())
        return result;
    if (isNumeric(field, raw)) {
        result.numeric = true;
        result.number = raw.toDouble();
        result.text = numberText(result.number, locale);
        return result;
    }
    result.text = field.textFor(raw);
    return result;
}
