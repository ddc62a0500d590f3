#pragma once
#include "schedule/DailySchedule.h"
#include "schedule/ScheduledRun.h"

#include <QStringList>

// The daily run as one line of the user's crontab, for systems without a systemd user session.
// The line ends with a comment naming the folder's entry, by which it is found again; the run's
// standard error is appended to otokaydet.log in the register's folder.
class CrontabSchedule : public DailySchedule {
public:
    explicit CrontabSchedule(ScheduledRun run);

    bool available() override;
    State read() override;
    void install(const QTime &time) override;
    void remove() override;

    QString lineFor(const QTime &time) const;

private:
    QString tag() const;
    QStringList currentLines(bool *exists = nullptr) const;
    void writeLines(const QStringList &lines) const;
    QStringList linesWithoutOurs(const QStringList &lines) const;

    ScheduledRun m_run;
};
