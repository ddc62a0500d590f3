#pragma once
#include "db/FieldType.h"

#include <QDate>
#include <QString>

// How a filter condition treats a column, decided by the column's data type.
enum class FilterColumnClass { Boolean, Numeric, Date, DateTime, Text, Other };

// Whole and floating-point numbers are Numeric; text of either length, time of day and binary
// data are Text (a fixed-length CHAR(n) column such as CINSIYET is matched like any text);
// expression columns without a declared type are Other.
FilterColumnClass filterColumnClass(FieldType type);

// Reads a date the way the user types it: the short date format of the regional settings, or the
// same with single-digit day and month (1.5.2017). Throws "'%s' is not a valid date".
QDate readUserDate(const QString &text);

// Removes the regional thousands separators and writes the regional decimal separator as ".".
QString normalizeUserNumber(const QString &text);

// The text as it goes between the single quotes of an SQLite literal: a quote is doubled and a
// NUL character, which would end the statement text, is dropped. SQLite reads no backslash
// escapes, so everything else stays as it is.
QString sqlEscape(const QString &text);

// An SQL literal for a value typed into the filter of a column of the given type:
// Boolean "1"/"0"; Numeric unquoted when it reads as a number; Date and Date-time 'YYYY-MM-DD';
// Text quoted; Other empty. Throws the conversion error of an unreadable boolean or date.
QString sqlDegerVer(const QString &text, FieldType type);
