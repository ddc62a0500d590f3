#include "db/DisplayFormat.h"

#include <QLocale>

namespace DisplayFormat {

namespace {
QString twoDigits(int value) { return QString::number(value).rightJustified(2, QLatin1Char('0')); }

int runLength(const QString &format, int position)
{
    int length = 1;
    const QChar c = format.at(position).toLower();
    while (position + length < format.size() && format.at(position + length).toLower() == c)
        ++length;
    return length;
}
} // namespace

QString formatDateTime(const QString &format, const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    const QLocale locale;
    QString out;
    bool afterHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i).toLower();
        if (format.at(i) == QLatin1Char('"') || format.at(i) == QLatin1Char('\'')) {
            const int end = format.indexOf(format.at(i), i + 1);
            const int stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const int n = runLength(format, i);
        if (c == QLatin1Char('y')) {
            out += n <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
        } else if (c == QLatin1Char('m')) {
            if (afterHour && n <= 2)
                out += n == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            else if (n >= 4)
                out += locale.monthName(date.month());
            else if (n == 3)
                out += locale.monthName(date.month(), QLocale::ShortFormat);
            else
                out += n == 1 ? QString::number(date.month()) : twoDigits(date.month());
            afterHour = false;
        } else if (c == QLatin1Char('d')) {
            if (n >= 4)
                out += locale.dayName(date.dayOfWeek());
            else if (n == 3)
                out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                out += n == 1 ? QString::number(date.day()) : twoDigits(date.day());
        } else if (c == QLatin1Char('h')) {
            out += n == 1 ? QString::number(time.hour()) : twoDigits(time.hour());
            afterHour = true;
            i += n;
            continue;
        } else if (c == QLatin1Char('n')) {
            out += n == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
        } else if (c == QLatin1Char('s')) {
            out += n == 1 ? QString::number(time.second()) : twoDigits(time.second());
        } else if (c == QLatin1Char('z')) {
            out += n >= 3 ? QString::number(time.msec()).rightJustified(3, QLatin1Char('0'))
                          : QString::number(time.msec());
        } else {
            out += format.mid(i, n);
            i += n;
            continue; // separators keep the hour context for a following minute
        }
        i += n;
        if (c != QLatin1Char('m'))
            afterHour = false;
    }
    return out;
}

QString formatNumber(const QString &format, double value)
{
    const int point = format.indexOf(QLatin1Char('.'));
    int decimals = 0;
    if (point >= 0) {
        for (int i = point + 1; i < format.size() && (format.at(i) == QLatin1Char('0') || format.at(i) == QLatin1Char('#')); ++i)
            ++decimals;
    }
    QLocale locale;
    if (!format.contains(QLatin1Char(',')))
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

} // namespace DisplayFormat
