#pragma once
#include "db/FieldType.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QVariant>

// The forms in which values live in the file: dates YYYY-MM-DD, times HH:MM:SS.mmm, booleans 1/0.
namespace StoredValue {

QString dateText(const QDate &date);
QString timeText(const QTime &time);
// Date and time; only the date when the time of day is zero; null when the date is missing.
QVariant dateTimeText(const QDateTime &moment);

QDate parseDate(const QString &text);
QTime parseTime(const QString &text);
QDateTime parseDateTime(const QString &text);

// A typed value (QDate, QTime, QDateTime, bool, integers, text) in the form the engine stores.
QVariant toStored(const QVariant &value);
// A value as the engine returned it, read as a field of the given type. Unreadable dates and
// times give a null value of their type.
QVariant fromStored(const QVariant &raw, FieldType type);

} // namespace StoredValue
