#include "WorkClock.h"

#include "PeakMemory.h"

#include <sys/resource.h>

WorkClock::WorkClock() : m_baseKb(PeakMemory::restart()), m_cpuStart(cpuSeconds())
{
    m_wall.start();
}

Measurement WorkClock::stop() const
{
    Measurement result;
    result.seconds = double(m_wall.nsecsElapsed()) / 1e9;
    result.cpuSeconds = cpuSeconds() - m_cpuStart;
    result.peakKb = PeakMemory::residentKb();
    result.baseKb = m_baseKb;
    return result;
}

double WorkClock::cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
