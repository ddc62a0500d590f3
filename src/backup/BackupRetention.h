#pragma once
#include <QDate>
#include <QList>

// Which daily copies are kept: the newest 14, and for each of the newest 12 months that have
// copies, the first copy of that month (the monthly copy). Every other copy is removed.
class BackupRetention {
public:
    static constexpr int kDailyCopies = 14;
    static constexpr int kMonthlyCopies = 12;

    // The days among `days` whose copies are no longer kept, newest first.
    static QList<QDate> toRemove(QList<QDate> days);
};
