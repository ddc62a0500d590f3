#include "ComparisonTable.h"

#include "MeasurementFigures.h"

#include <algorithm>
#include <cstdio>

using namespace MeasurementFigures;

namespace {

QString ratio(double ours, double shell)
{
    return ours > 0 && shell > 0 ? QString::number(ours / shell, 'f', 2) : QStringLiteral("n/a");
}

} // namespace

void ComparisonTable::add(const QString &size, const ComparisonResult &result, qint64 memoryAimKb, double secondsAim)
{
    constexpr double Measurement::*wall = &Measurement::seconds;
    constexpr double Measurement::*cpu = &Measurement::cpuSeconds;
    const double oursWall = median(result.ours, wall);
    const double shellWall = median(result.shell, wall);
    const double oursCpu = median(result.ours, cpu);
    const double shellCpu = median(result.shell, cpu);
    const qint64 ourPeak = highest(result.ours, &Measurement::peakKb);

    QStringList verdicts;
    const auto met = [](bool ok) { return ok ? QStringLiteral("met") : QStringLiteral("MISSED"); };
    if (m_ratioAim > 0)
        verdicts << QStringLiteral("time ≤ %1×: %2").arg(QString::number(m_ratioAim, 'f', 1), met(oursWall <= m_ratioAim * shellWall));
    if (secondsAim > 0)
        verdicts << QStringLiteral("time < %1: %2").arg(seconds(secondsAim), met(oursWall < secondsAim));
    if (memoryAimKb > 0)
        verdicts << QStringLiteral("memory < %1: %2").arg(megabytes(memoryAimKb), met(ourPeak < memoryAimKb));

    // Our note is the same in every run (what the work produced); the first run's stands for all.
    const QString note = result.ours.isEmpty() ? QString() : result.ours.first().note;
    m_rows << QStringList{size,
                          QString::number(result.ours.size()),
                          seconds(oursWall),
                          seconds(shellWall),
                          ratio(oursWall, shellWall),
                          seconds(oursCpu),
                          seconds(shellCpu),
                          ratio(oursCpu, shellCpu),
                          QStringLiteral("%1 (%2 before)").arg(megabytes(ourPeak), megabytes(highest(result.ours, &Measurement::baseKb))),
                          megabytes(highest(result.shell, &Measurement::peakKb)),
                          note,
                          verdicts.join(QStringLiteral("; "))}
                  .join(QStringLiteral(" | "));
}

void ComparisonTable::print() const
{
    std::printf("\n### %s\n\n", qPrintable(m_title));
    std::printf("Times are the median of the runs of each side; processor time is user plus system. Peak memory "
                "is the highest of the runs; ours is shown with the resident size just before the measured work.\n\n");
    std::printf("| Size | Runs | Ours | Shell | Ratio | Ours CPU | Shell CPU | CPU ratio | Our peak RSS | Shell peak RSS "
                "| Our result | Aims |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const QString &row : m_rows)
        std::printf("| %s |\n", row.toUtf8().constData());
    std::fflush(stdout);
}
