#include "db/FieldType.h"

#include <QRegularExpression>

FieldTypeInfo fieldTypeFromDeclared(const QString &declaredType)
{
    const QString declared = declaredType.simplified().toUpper();
    static const QRegularExpression sized(QStringLiteral("^(VARCHAR|CHAR)\\s*\\(\\s*(\\d+)\\s*\\)$"));
    const auto match = sized.match(declared);
    if (match.hasMatch())
        return {match.captured(1) == QLatin1String("CHAR") ? FieldType::FixedChar : FieldType::String,
                match.captured(2).toInt()};
    if (declared == QLatin1String("INT"))
        return {FieldType::Integer, 0};
    if (declared == QLatin1String("INTEGER"))
        return {FieldType::Id, 0};
    if (declared == QLatin1String("UNSIGNED BIGINT"))
        return {FieldType::UInt64, 0};
    if (declared == QLatin1String("BOOLEAN"))
        return {FieldType::Boolean, 0};
    if (declared == QLatin1String("DATE"))
        return {FieldType::Date, 0};
    if (declared == QLatin1String("TIME"))
        return {FieldType::Time, 0};
    if (declared == QLatin1String("DATETIME"))
        return {FieldType::DateTime, 0};
    if (declared == QLatin1String("TEXT") || declared.startsWith(QLatin1String("VARCHAR")))
        return {FieldType::String, 0};
    if (declared == QLatin1String("REAL") || declared == QLatin1String("DOUBLE")
        || declared == QLatin1String("FLOAT"))
        return {FieldType::Float, 0};
    if (declared == QLatin1String("BLOB"))
        return {FieldType::Blob, 0};
    return {FieldType::Unknown, 0};
}

bool isNumericType(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Id:
    case FieldType::UInt64:
    case FieldType::Float:
        return true;
    default:
        return false;
    }
}

bool isTextType(FieldType type)
{
    return type == FieldType::String || type == FieldType::FixedChar;
}

bool isDateTimeType(FieldType type)
{
    return type == FieldType::Date || type == FieldType::Time || type == FieldType::DateTime;
}
