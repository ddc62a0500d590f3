#include "notify/NotificationDates.h"

#include <QDate>
#include <QStringView>
#include <QTime>

namespace {

// The number the count characters from "from" write in decimal digits, or -1 when one of them
// is not a digit 0 to 9.
int decimal(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + int(c - u'0');
    }
    return value;
}

// "yyyy-MM-dd" in plain digits, a year of four digits from 1000 on, a day the calendar has: such
// a text reads back as itself.
bool isPlainDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return false;
    const int year = decimal(text, 0, 4);
    const int month = decimal(text, 5, 2);
    const int day = decimal(text, 8, 2);
    return year >= 1000 && month >= 0 && day >= 0 && QDate(year, month, day).isValid();
}

// "hh:mm:ss" in plain digits, a time the clock has.
bool isPlainTime(QStringView text)
{
    if (text.size() != 8 || text[2] != u':' || text[5] != u':')
        return false;
    const int hour = decimal(text, 0, 2);
    const int minute = decimal(text, 3, 2);
    const int second = decimal(text, 6, 2);
    return hour >= 0 && minute >= 0 && second >= 0 && QTime(hour, minute, second).isValid();
}

} // namespace

QString NotificationDates::birthDate(const QString &stored)
{
    const QString day = stored.left(10);
    if (isPlainDate(day))
        return day;
    const QDate date = QDate::fromString(day, QStringLiteral("yyyy-MM-dd"));
    return (date.isValid() && stored.size() >= 10 ? date : QDate::currentDate()).toString(QStringLiteral("yyyy-MM-dd"));
}

QString NotificationDates::arrival(const QString &combined)
{
    if (combined.size() != 19 || combined.at(10) != u' ')
        return {};
    if (isPlainDate(QStringView(combined).left(10)) && isPlainTime(QStringView(combined).mid(11)))
        return combined;
    const QDate date = QDate::fromString(combined.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(combined.mid(11), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return {};
    return date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time.toString(QStringLiteral("HH:mm:ss"));
}
