#pragma once
#include "schedule/DailySchedule.h"
#include "schedule/ScheduledRun.h"

// The daily run as a systemd user timer and service in the user's unit folder
// (~/.config/systemd/user/selvane-otokaydet-<id>.timer and .service), enabled with
// systemctl --user. The timer runs only while the user's systemd instance runs: after logging
// out only with lingering enabled (loginctl enable-linger).
class SystemdUserSchedule : public DailySchedule {
public:
    explicit SystemdUserSchedule(ScheduledRun run);

    bool available() override;
    State read() override;
    void install(const QTime &time) override;
    void remove() override;
    QString note() override;

    QString unitFolder() const;
    QString timerName() const;
    QString serviceName() const;
    QString serviceText() const;
    QString timerText(const QTime &time) const;

    // Where systemd keeps one file per user who lingers; tests point it elsewhere.
    void setLingerFolder(const QString &folder) { m_lingerFolder = folder; }

private:
    QString baseName() const;
    QTime timeInTimerFile() const;
    void writeUnitFile(const QString &name, const QString &text) const;
    static void systemctl(const QStringList &arguments);

    ScheduledRun m_run;
    QString m_lingerFolder = QStringLiteral("/var/lib/systemd/linger");
};
