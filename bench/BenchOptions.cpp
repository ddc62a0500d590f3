#include "BenchOptions.h"

#include "db/AppError.h"
#include "SampleDatabaseCache.h"

#include <QCommandLineParser>

QVector<SampleSize> BenchOptions::sizes() const
{
    QVector<SampleSize> chosen{SampleSize::small()};
    if (!smallOnly)
        chosen << SampleSize::large();
    return chosen;
}

QStringList BenchOptions::knownBenchmarks()
{
    return {QStringLiteral("startup"), QStringLiteral("guestlist"), QStringLiteral("export"),
            QStringLiteral("filter"), QStringLiteral("sort"), QStringLiteral("returning"), QStringLiteral("firstscreen")};
}

BenchOptions BenchOptions::fromArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Measures the program's start-up, guest list, export, a filter change and a title sort beside the sqlite3 "
        "shell doing the same work on the same file. Prints Markdown tables."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("benchmark"),
                                 QStringLiteral("startup, guestlist, export, filter, sort, returning or firstscreen; all when none is given."),
                                 QStringLiteral("[benchmark...]"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs of each side per size (default 3)."),
                                  QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption cache(QStringLiteral("cache"),
                                   QStringLiteral("Folder of the sample databases (default %1).")
                                       .arg(SampleDatabaseCache::defaultFolder()),
                                   QStringLiteral("folder"), SampleDatabaseCache::defaultFolder());
    const QCommandLineOption small(QStringLiteral("small-only"), QStringLiteral("Only the 200,000-stay database."));
    const QCommandLineOption largeExport(QStringLiteral("large-export"),
                                         QStringLiteral("Also export the 1,000,000-stay database (minutes)."));
    parser.addOptions({runs, cache, small, largeExport});
    parser.process(arguments);

    BenchOptions options;
    bool isNumber = false;
    options.runs = parser.value(runs).toInt(&isNumber);
    if (!isNumber || options.runs < 1)
        throw AppError(QStringLiteral("--runs needs a positive number"));
    options.cacheFolder = parser.value(cache);
    options.smallOnly = parser.isSet(small);
    options.largeExport = parser.isSet(largeExport);
    options.benchmarks = parser.positionalArguments();
    for (const QString &name : options.benchmarks) {
        if (!knownBenchmarks().contains(name))
            throw AppError(QStringLiteral("Unknown benchmark '%1'").arg(name));
    }
    if (options.benchmarks.isEmpty())
        options.benchmarks = knownBenchmarks();
    return options;
}
