#include "backup/BackupRetention.h"

#include <QSet>
#include <algorithm>

namespace {

int monthOf(const QDate &day)
{
    return day.year() * 12 + day.month();
}

// The first copy of each month, newest month first.
QList<QDate> firstOfEachMonth(const QList<QDate> &newestFirst)
{
    QList<QDate> firsts;
    for (const QDate &day : newestFirst) {
        if (!firsts.isEmpty() && monthOf(firsts.last()) == monthOf(day))
            firsts.last() = day; // an older copy of the same month
        else
            firsts.append(day);
    }
    return firsts;
}

} // namespace

QList<QDate> BackupRetention::toRemove(QList<QDate> days)
{
    std::sort(days.begin(), days.end(), std::greater<QDate>());
    days.erase(std::unique(days.begin(), days.end()), days.end());

    QSet<QDate> kept(days.begin(), days.begin() + std::min<qsizetype>(kDailyCopies, days.size()));
    const QList<QDate> monthly = firstOfEachMonth(days);
    for (qsizetype i = 0; i < std::min<qsizetype>(kMonthlyCopies, monthly.size()); ++i)
        kept.insert(monthly.at(i));

    QList<QDate> removed;
    for (const QDate &day : days) {
        if (!kept.contains(day))
            removed.append(day);
    }
    return removed;
}
