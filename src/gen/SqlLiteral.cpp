#include "gen/SqlLiteral.h"

#include "db/AppError.h"
#include "db/BooleanWords.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + sqlEscape(text) + QLatin1Char('\'');
}

// The regional parser also reads "inf", "nan" and blanks around the digits; only a plain number
// may stand unquoted in the statement.
bool isPlainSqlNumber(const QString &text)
{
    static const QRegularExpression plain(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    return plain.match(text).hasMatch();
}

// "1.500" for 1,5 and "1.000" for 1,000 are the same numbers as "1.5" and "1".
QString withoutTrailingFractionZeros(QString number)
{
    if (!number.contains(QLatin1Char('.')) || number.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return number;
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return number.isEmpty() || number == QLatin1String("-") || number == QLatin1String("+") ? QStringLiteral("0")
                                                                                              : number;
}

// The text is the value as the operator typed it, under the regional settings; it is read and
// normalised here once.
QString numericLiteral(const QString &text)
{
    bool isNumber = false;
    QLocale().toDouble(text, &isNumber);
    if (isNumber) {
        const QString number = normalizeUserNumber(text).trimmed();
        if (isPlainSqlNumber(number))
            return withoutTrailingFractionZeros(number);
    }
    return quoted(text);
}

} // namespace

FilterColumnClass filterColumnClass(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Id:
    case FieldType::UInt64:
    case FieldType::Float:
        return FilterColumnClass::Numeric;
    case FieldType::String:
    case FieldType::FixedChar:
    case FieldType::Time:
    case FieldType::Blob:
        return FilterColumnClass::Text;
    case FieldType::Boolean:
        return FilterColumnClass::Boolean;
    case FieldType::Date:
        return FilterColumnClass::Date;
    case FieldType::DateTime:
        return FilterColumnClass::DateTime;
    case FieldType::Unknown:
        break;
    }
    return FilterColumnClass::Other;
}

QDate readUserDate(const QString &text)
{
    const QLocale locale;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    QString looseFormat = shortFormat;
    looseFormat.replace(QLatin1String("dd"), QLatin1String("d")).replace(QLatin1String("MM"), QLatin1String("M"));
    const QString trimmed = text.trimmed();
    for (const QString &format : {shortFormat, looseFormat}) {
        const QDate date = locale.toDate(trimmed, format);
        if (date.isValid())
            return date;
    }
    throw AppError(QStringLiteral("'%1' is not a valid date").arg(text));
}

QString normalizeUserNumber(const QString &text)
{
    const QLocale locale;
    QString number = text;
    number.remove(locale.groupSeparator());
    number.replace(locale.decimalPoint(), QLatin1String("."));
    return number;
}

QString sqlEscape(const QString &text)
{
    QString escaped = text;
    escaped.remove(QChar(0));
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

QString sqlDegerVer(const QString &text, FieldType type)
{
    switch (filterColumnClass(type)) {
    case FilterColumnClass::Boolean:
        return BooleanWords::toBool(text) ? QStringLiteral("1") : QStringLiteral("0");
    case FilterColumnClass::Numeric:
        return numericLiteral(text);
    case FilterColumnClass::Date:
    case FilterColumnClass::DateTime:
        // A date-time value is read as a date alone, so both are written as the stored date.
        return quoted(readUserDate(text).toString(QStringLiteral("yyyy-MM-dd")));
    case FilterColumnClass::Text:
        return quoted(text);
    case FilterColumnClass::Other:
        break;
    }
    return QString();
}
