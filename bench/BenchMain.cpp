// selvane-bench: our start-up, guest list, export, a filter change and a title sort beside the sqlite3 shell
// doing the same work on the same file in the same run. Run by hand; see README.md.
#include "BenchOptions.h"
#include "ExportBenchmark.h"
#include "FilterChangeBenchmark.h"
#include "FirstScreenBenchmark.h"
#include "GuestListBenchmark.h"
#include "ReturningGuestBenchmark.h"
#include "SampleDatabaseCache.h"
#include "SqliteShell.h"
#include "StartupBenchmark.h"
#include "TitleSortBenchmark.h"
#include "WorkerProcess.h"

#include "db/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// Worker: <kind> <folder> [arguments...]; measures in the folder and reports one result line.
int runWorker(const QStringList &arguments)
{
    const QString kind = arguments.value(0);
    if (!QDir::setCurrent(arguments.value(1)))
        throw AppError(QStringLiteral("Cannot enter %1").arg(arguments.value(1)));
    const QStringList rest = arguments.mid(2);
    if (kind == QLatin1String(StartupBenchmark::kKind))
        WorkerProcess::report(StartupBenchmark::measure(rest));
    else if (kind == QLatin1String(GuestListBenchmark::kKind))
        WorkerProcess::report(GuestListBenchmark::measure(rest));
    else if (kind == QLatin1String(ExportBenchmark::kKind))
        WorkerProcess::report(ExportBenchmark::measure(rest));
    else if (kind == QLatin1String(FilterChangeBenchmark::kKind))
        WorkerProcess::report(FilterChangeBenchmark::measure(rest));
    else if (kind == QLatin1String(TitleSortBenchmark::kKind))
        WorkerProcess::report(TitleSortBenchmark::measure(rest));
    else if (kind == QLatin1String(ReturningGuestBenchmark::kKind))
        WorkerProcess::report(ReturningGuestBenchmark::measure(rest));
    else if (kind == QLatin1String(FirstScreenBenchmark::kKind))
        WorkerProcess::report(FirstScreenBenchmark::measure(rest));
    else
        throw AppError(QStringLiteral("Unknown worker '%1'").arg(kind));
    return 0;
}

int runBenchmarks(const QStringList &arguments)
{
    const BenchOptions options = BenchOptions::fromArguments(arguments);
    if (!QFileInfo(QLatin1String(SqliteShell::kProgram)).isExecutable())
        throw AppError(QStringLiteral("%1 is missing (Debian package sqlite3)").arg(QLatin1String(SqliteShell::kProgram)));
    if (!SqliteShell::reportsResources())
        std::fprintf(stderr, "%s is missing (Debian package time): no peak memory and processor time for the shell\n",
                     SqliteShell::kTimeProgram);
    const SampleDatabaseCache cache(options.cacheFolder);
    for (const QString &name : options.benchmarks) {
        if (name == QLatin1String(StartupBenchmark::kKind))
            StartupBenchmark::run(options, cache);
        else if (name == QLatin1String(GuestListBenchmark::kKind))
            GuestListBenchmark::run(options, cache);
        else if (name == QLatin1String(ExportBenchmark::kKind))
            ExportBenchmark::run(options, cache);
        else if (name == QLatin1String(FilterChangeBenchmark::kKind))
            FilterChangeBenchmark::run(options, cache);
        else if (name == QLatin1String(TitleSortBenchmark::kKind))
            TitleSortBenchmark::run(options, cache);
        else if (name == QLatin1String(ReturningGuestBenchmark::kKind))
            ReturningGuestBenchmark::run(options, cache);
        else if (name == QLatin1String(FirstScreenBenchmark::kKind))
            FirstScreenBenchmark::run(options, cache);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("selvane-bench"));
    const QStringList arguments = QCoreApplication::arguments();
    try {
        if (arguments.value(1) == QLatin1String(WorkerProcess::kSwitch))
            return runWorker(arguments.mid(2));
        return runBenchmarks(arguments);
    } catch (const AppError &error) {
        std::fprintf(stderr, "selvane-bench: %s\n", error.what());
        return 1;
    }
}
