#include "StartupBenchmark.h"

#include "BenchOptions.h"
#include "ComparisonRunner.h"
#include "ComparisonTable.h"
#include "ReportedErrors.h"
#include "SampleDatabaseCache.h"
#include "SqliteShell.h"
#include "WorkClock.h"

#include "data/Tdm1.h"
#include "db/AppError.h"

#include <QFileInfo>

#include <memory>

Measurement StartupBenchmark::measure(const QStringList &)
{
    const ReportedErrors errors;
    const WorkClock clock;
    const auto module = std::make_unique<Tdm1>();
    Measurement result = clock.stop();
    errors.throwIfAny();
    if (!module->fdqry_uyruk()->isOpen() || !module->fdqry_kimlikturu()->isOpen())
        throw AppError(QStringLiteral("The lookup queries did not open"));
    result.note = QStringLiteral("file %1 MB after VACUUM")
                      .arg(double(QFileInfo(QStringLiteral("qrt.db")).size()) / (1024.0 * 1024.0), 0, 'f', 1);
    return result;
}

void StartupBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    ComparisonTable table(QStringLiteral("Start-up of the data module, VACUUM included"), 1.2);
    const ComparisonRunner runner(options.runs);
    const QVector<SampleSize> sizes = options.sizes();
    for (const SampleSize &size : sizes) {
        std::fprintf(stderr, "startup, %s\n", qPrintable(size.label()));
        const QString script = SqliteShell::connectionSettings() + QStringLiteral("VACUUM;\n");
        table.add(size.label(), runner.compare(cache.database(size), QLatin1String(kKind), {}, script));
    }
    table.print();
}
