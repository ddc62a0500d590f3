#include "db/Field.h"

#include "db/AppError.h"
#include "db/BooleanWords.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/StoredValue.h"

#include <QLocale>

Field::Field(Query *owner, QString name) : m_owner(owner), m_name(std::move(name)) {}

void Field::bindColumn(int column, const FieldTypeInfo &type, const Origin &origin)
{
    m_column = column;
    if (!m_typeKnown) {
        m_type = type.type;
        m_size = type.size;
        m_originTable = origin.table;
        m_originColumn = origin.column;
        m_key = origin.key;
        m_autoIncrement = origin.autoIncrement;
        m_required = origin.notNull && !origin.autoIncrement;
        m_typeKnown = true;
    }
}

int Field::displayWidth() const
{
    if (m_displayWidth > 0)
        return m_displayWidth;
    switch (m_type) {
    case FieldType::String:
    case FieldType::FixedChar: return qBound(1, m_size, 30);
    case FieldType::Date: return 10;
    case FieldType::Time: return 8;
    case FieldType::DateTime: return 19;
    case FieldType::Boolean: return 5;
    default: return 10;
    }
}

Qt::Alignment Field::alignment() const
{
    if (m_alignmentSet || m_alignment)
        return m_alignment;
    return isNumericType(m_type) ? Qt::AlignRight : Qt::AlignLeft;
}

QVariant Field::rawValue() const
{
    return m_owner->currentRawValue(m_column);
}

QVariant Field::value() const
{
    return StoredValue::fromStored(rawValue(), m_type);
}

bool Field::isNull() const { return rawValue().isNull(); }

QString Field::asString() const { return textFor(rawValue()); }

int Field::asInteger() const { return int(asLargeInt()); }

qint64 Field::asLargeInt() const
{
    const QVariant raw = rawValue();
    if (raw.isNull())
        return 0;
    if (raw.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 number = raw.toString().trimmed().toLongLong(&ok);
        if (!ok)
            throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(raw.toString()));
        return number;
    }
    return raw.toLongLong();
}

quint64 Field::asUInt64() const { return quint64(asLargeInt()); }

double Field::asFloat() const
{
    const QVariant raw = rawValue();
    return raw.isNull() ? 0.0 : raw.toDouble();
}

bool Field::asBoolean() const
{
    const QVariant raw = rawValue();
    if (raw.isNull())
        return false;
    if (raw.typeId() == QMetaType::QString)
        return BooleanWords::toBool(raw.toString());
    return raw.toDouble() != 0;
}

QDate Field::asDate() const { return asDateTime().date(); }

QTime Field::asTime() const
{
    const QVariant raw = rawValue();
    if (raw.isNull())
        return {};
    if (m_type == FieldType::Time)
        return StoredValue::parseTime(raw.toString());
    return asDateTime().time();
}

QDateTime Field::asDateTime() const
{
    const QVariant raw = rawValue();
    if (raw.isNull())
        return {};
    if (m_type == FieldType::Time) {
        const QTime time = StoredValue::parseTime(raw.toString());
        return time.isValid() ? QDateTime(QDate(1899, 12, 30), time) : QDateTime();
    }
    return StoredValue::parseDateTime(raw.toString());
}

void Field::setValue(const QVariant &value)
{
    const QVariant stored = StoredValue::toStored(value);
    refuseOverLongText(stored);
    m_owner->setCurrentRawValue(*this, stored);
}

// A column declared VARCHAR(n) or CHAR(n) holds at most n characters. The engine would store a
// longer text all the same, and from there it would reach the notification file.
void Field::refuseOverLongText(const QVariant &stored) const
{
    if (!isTextType(m_type) || m_size <= 0 || stored.typeId() != QMetaType::QString)
        return;
    const qsizetype length = stored.toString().size();
    if (length <= m_size)
        return;
    throw AppError(QStringLiteral("%1 alanı en çok %2 karakter alabilir, %3 karakter yazıldı")
                       .arg(displayLabel())
                       .arg(m_size)
                       .arg(length));
}

void Field::clear() { setValue(QVariant()); }

QVariant Field::parseText(const QString &text) const
{
    if (text.isEmpty() && !isTextType(m_type) && m_type != FieldType::Unknown)
        return QVariant();
    const QLocale locale;
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::Id:
    case FieldType::UInt64: {
        bool ok = false;
        const qlonglong number = locale.toLongLong(text.trimmed(), &ok);
        if (ok)
            return number;
        const qlonglong plain = text.trimmed().toLongLong(&ok);
        if (!ok)
            throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return plain;
    }
    case FieldType::Float: {
        bool ok = false;
        const double number = locale.toDouble(text.trimmed(), &ok);
        if (!ok)
            throw AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
        return number;
    }
    case FieldType::Boolean:
        return BooleanWords::toBool(text);
    case FieldType::Date: {
        QDate date = StoredValue::parseDate(text);
        if (!date.isValid())
            date = locale.toDate(text.trimmed(), QLocale::ShortFormat);
        if (!date.isValid())
            date = QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
        if (!date.isValid())
            throw AppError(QStringLiteral("'%1' is not a valid date").arg(text));
        return date;
    }
    case FieldType::Time: {
        const QTime time = StoredValue::parseTime(text);
        if (!time.isValid())
            throw AppError(QStringLiteral("'%1' is not a valid time").arg(text));
        return time;
    }
    case FieldType::DateTime: {
        const QDateTime moment = StoredValue::parseDateTime(text);
        if (!moment.isValid())
            throw AppError(QStringLiteral("'%1' is not a valid date and time").arg(text));
        return moment;
    }
    default:
        return text;
    }
}

void Field::setAsString(const QString &text) { setValue(parseText(text)); }

QString Field::textFor(const QVariant &raw) const
{
    if (raw.isNull())
        return QString();
    const QLocale locale;
    switch (m_type) {
    case FieldType::Date: {
        const QDate date = StoredValue::parseDate(raw.toString());
        return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : raw.toString();
    }
    case FieldType::Time: {
        const QTime time = StoredValue::parseTime(raw.toString());
        return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : raw.toString();
    }
    case FieldType::DateTime: {
        const QDateTime moment = StoredValue::parseDateTime(raw.toString());
        return moment.isValid() ? moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : raw.toString();
    }
    case FieldType::Boolean:
        return raw.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float:
        return QString::number(raw.toDouble());
    default:
        return raw.toString();
    }
}

QString Field::displayText() const { return displayTextFor(rawValue()); }

QString Field::displayTextFor(const QVariant &raw) const
{
    if (raw.isNull() || m_displayFormat.isEmpty())
        return textFor(raw);
    if (isDateTimeType(m_type)) {
        QDateTime moment = m_type == FieldType::Time
            ? QDateTime(QDate(1899, 12, 30), StoredValue::parseTime(raw.toString()))
            : StoredValue::parseDateTime(raw.toString());
        if (!moment.isValid())
            return raw.toString();
        return DisplayFormat::formatDateTime(m_displayFormat, moment);
    }
    bool ok = false;
    const double number = raw.toDouble(&ok);
    return ok ? DisplayFormat::formatNumber(m_displayFormat, number) : raw.toString();
}
