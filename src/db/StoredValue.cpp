#include "db/StoredValue.h"

#include <QRegularExpression>

namespace StoredValue {

QString dateText(const QDate &date)
{
    return QString::asprintf("%.4d-%.2d-%.2d", date.year(), date.month(), date.day());
}

QString timeText(const QTime &time)
{
    return QString::asprintf("%.2d:%.2d:%.2d.%.3d", time.hour(), time.minute(), time.second(),
                             time.msec());
}

QVariant dateTimeText(const QDateTime &moment)
{
    if (!moment.isValid())
        return QVariant(QMetaType(QMetaType::QString));
    const QTime time = moment.time();
    if (time == QTime(0, 0))
        return dateText(moment.date());
    return dateText(moment.date()) + QLatin1Char(' ') + timeText(time);
}

QDate parseDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 10)
        return {};
    return QDate::fromString(trimmed.left(10), QStringLiteral("yyyy-MM-dd"));
}

// The stored form HH:MM:SS.mmm and what an operator types: one or two hour digits, ":" or "."
// between the parts, seconds and milliseconds optional ("9:30", "9.30", "09:30:15").
QTime parseTime(const QString &text)
{
    static const QRegularExpression written(
        QStringLiteral("^(\\d{1,2})[:.](\\d{2})(?:[:.](\\d{2})(?:\\.(\\d{1,3}))?)?$"));
    const QRegularExpressionMatch match = written.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    const QString fraction = match.captured(4);
    const int milliseconds = fraction.isEmpty() ? 0 : fraction.leftJustified(3, QLatin1Char('0')).toInt();
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), milliseconds);
}

QDateTime parseDateTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QDate date = parseDate(trimmed);
    if (!date.isValid()) {
        const QTime time = parseTime(trimmed);
        return time.isValid() ? QDateTime(QDate(1899, 12, 30), time) : QDateTime();
    }
    if (trimmed.size() == 10)
        return QDateTime(date, QTime(0, 0));
    const QTime time = parseTime(trimmed.mid(11));
    return time.isValid() ? QDateTime(date, time) : QDateTime();
}

QVariant toStored(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return dateText(value.toDate());
    case QMetaType::QTime:
        return timeText(value.toTime());
    case QMetaType::QDateTime:
        return dateTimeText(value.toDateTime());
    case QMetaType::Bool:
        return qint64(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return qint64(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QByteArray:
        return value;
    default:
        return value.toString();
    }
}

QVariant fromStored(const QVariant &raw, FieldType type)
{
    if (raw.isNull()) {
        switch (type) {
        case FieldType::Integer: return QVariant(QMetaType(QMetaType::Int));
        case FieldType::Id: return QVariant(QMetaType(QMetaType::LongLong));
        case FieldType::UInt64: return QVariant(QMetaType(QMetaType::ULongLong));
        case FieldType::Boolean: return QVariant(QMetaType(QMetaType::Bool));
        case FieldType::Date: return QVariant(QMetaType(QMetaType::QDate));
        case FieldType::Time: return QVariant(QMetaType(QMetaType::QTime));
        case FieldType::DateTime: return QVariant(QMetaType(QMetaType::QDateTime));
        case FieldType::Float: return QVariant(QMetaType(QMetaType::Double));
        case FieldType::String:
        case FieldType::FixedChar: return QVariant(QMetaType(QMetaType::QString));
        default: return QVariant();
        }
    }
    switch (type) {
    case FieldType::Integer: return raw.toInt();
    case FieldType::Id: return raw.toLongLong();
    case FieldType::UInt64: return raw.toULongLong();
    case FieldType::Boolean: return raw.toLongLong() != 0;
    case FieldType::Float: return raw.toDouble();
    case FieldType::String:
    case FieldType::FixedChar: return raw.toString();
    case FieldType::Date: {
        const QDate date = parseDate(raw.toString());
        return date.isValid() ? QVariant(date) : QVariant(QMetaType(QMetaType::QDate));
    }
    case FieldType::Time: {
        const QTime time = parseTime(raw.toString());
        return time.isValid() ? QVariant(time) : QVariant(QMetaType(QMetaType::QTime));
    }
    case FieldType::DateTime: {
        const QDateTime moment = parseDateTime(raw.toString());
        return moment.isValid() ? QVariant(moment) : QVariant(QMetaType(QMetaType::QDateTime));
    }
    default:
        return raw;
    }
}

} // namespace StoredValue
