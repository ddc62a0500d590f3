#include "ComparisonRunner.h"

#include "ScratchCopy.h"
#include "SqliteShell.h"
#include "WorkerProcess.h"

#include <cstdio>

#include <unistd.h>

namespace {

void printRun(int run, const char *side, const Measurement &m)
{
    std::fprintf(stderr, "  run %d %-5s %9.3f s (cpu %7.3f s) %8.1f MB peak", run, side, m.seconds, m.cpuSeconds,
                 double(m.peakKb) / 1024.0);
    if (m.baseKb > 0)
        std::fprintf(stderr, " (%.1f MB before)", double(m.baseKb) / 1024.0);
    std::fprintf(stderr, " %s\n", m.note.toUtf8().constData());
}

// The fresh copy goes to disk before the clock starts, so that its write-back does not compete
// with the measured run; the file stays in the page cache for both sides alike.
void settleWrites()
{
    ::sync();
}

} // namespace

ComparisonResult ComparisonRunner::compare(const QString &database, const QString &workerKind,
                                           const QStringList &workerArguments, const QString &shellScript) const
{
    ComparisonResult result;
    const auto runOurs = [&](int run) {
        const ScratchCopy copy(database);
        settleWrites();
        result.ours.append(WorkerProcess::run(workerKind, copy.folder(), workerArguments));
        printRun(run, "ours", result.ours.last());
    };
    const auto runShell = [&](int run) {
        const ScratchCopy copy(database);
        settleWrites();
        result.shell.append(SqliteShell().run(copy.folder(), shellScript));
        printRun(run, "shell", result.shell.last());
    };
    for (int run = 1; run <= m_runs; ++run) {
        if (run % 2) {
            runOurs(run);
            runShell(run);
        } else {
            runShell(run);
            runOurs(run);
        }
    }
    return result;
}
