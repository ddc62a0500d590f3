#include "schedule/SystemSchedule.h"

SystemSchedule::SystemSchedule(const ScheduledRun &run) : m_systemd(run), m_crontab(run) {}

bool SystemSchedule::systemdAvailable()
{
    if (m_systemdAvailable < 0)
        m_systemdAvailable = m_systemd.available() ? 1 : 0;
    return m_systemdAvailable == 1;
}

bool SystemSchedule::crontabAvailable()
{
    if (m_crontabAvailable < 0)
        m_crontabAvailable = m_crontab.available() ? 1 : 0;
    return m_crontabAvailable == 1;
}

bool SystemSchedule::available()
{
    m_systemdAvailable = -1;
    m_crontabAvailable = -1;
    return systemdAvailable() || crontabAvailable();
}

DailySchedule::State SystemSchedule::read()
{
    if (systemdAvailable()) {
        const State state = m_systemd.read();
        if (state.installed || !crontabAvailable())
            return state;
    }
    return crontabAvailable() ? m_crontab.read() : State{};
}

void SystemSchedule::install(const QTime &time)
{
    if (systemdAvailable()) {
        if (crontabAvailable())
            m_crontab.remove();
        m_systemd.install(time);
    } else {
        m_crontab.install(time);
    }
}

void SystemSchedule::remove()
{
    if (systemdAvailable())
        m_systemd.remove();
    if (crontabAvailable())
        m_crontab.remove();
}

QString SystemSchedule::note()
{
    return systemdAvailable() ? m_systemd.note() : QString();
}
