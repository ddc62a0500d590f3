#pragma once
#include "schedule/CrontabSchedule.h"
#include "schedule/DailySchedule.h"
#include "schedule/SystemdUserSchedule.h"

// The schedule of this system: a systemd user timer where the session has a systemd user
// instance, a crontab line otherwise. Whichever holds the folder's run is shown; installing puts
// it in the preferred one and takes it out of the other.
class SystemSchedule : public DailySchedule {
public:
    explicit SystemSchedule(const ScheduledRun &run);

    bool available() override;
    State read() override;
    void install(const QTime &time) override;
    void remove() override;
    QString note() override;

    SystemdUserSchedule &systemd() { return m_systemd; }

private:
    bool systemdAvailable();
    bool crontabAvailable();

    SystemdUserSchedule m_systemd;
    CrontabSchedule m_crontab;
    // Looked up once per window showing: each look-up starts a program.
    int m_systemdAvailable = -1;
    int m_crontabAvailable = -1;
};
