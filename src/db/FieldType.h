#pragma once
#include <QString>

// The type of a field, decided by the declared type of its column. Columns without a declared
// type (expressions) are Unknown and read by their value.
enum class FieldType {
    Unknown,
    Integer,   // INT: 32-bit signed
    Id,        // INTEGER: the row ids
    UInt64,    // UNSIGNED BIGINT
    String,    // VARCHAR(n)
    FixedChar, // CHAR(n)
    Boolean,   // BOOLEAN, stored 1/0
    Date,      // DATE, stored YYYY-MM-DD
    Time,      // TIME, stored HH:MM:SS.mmm
    DateTime,  // DATETIME
    Float,
    Blob,
};

struct FieldTypeInfo {
    FieldType type = FieldType::Unknown;
    int size = 0; // characters for text types
};

FieldTypeInfo fieldTypeFromDeclared(const QString &declaredType);
bool isNumericType(FieldType type);
bool isTextType(FieldType type);
bool isDateTimeType(FieldType type);
