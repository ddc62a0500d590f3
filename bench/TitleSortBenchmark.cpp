#include "TitleSortBenchmark.h"

#include "BenchOptions.h"
#include "ComparisonRunner.h"
#include "ComparisonTable.h"
#include "GuestListBenchmark.h"
#include "SampleDatabaseCache.h"
#include "SqliteShell.h"
#include "TurkishLocaleScope.h"
#include "WorkClock.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "db/Query.h"


#include <cstdio>

namespace {

const QStringList kColumns{QStringLiteral("SOYADI"), QStringLiteral("GELISTARIH")};

void checkColumn(const QString &column)
{
    if (!kColumns.contains(column))
        throw AppError(QStringLiteral("Unknown sort column '%1'").arg(column));
}

} // namespace

QString TitleSortBenchmark::shellStatement(const QString &column)
{
    checkColumn(column);
    QString statement = GuestListBenchmark::expandedStatement(QStringLiteral("all"));
    const QString listOrder = QStringLiteral("ORDER BY ");
    const qsizetype at = statement.lastIndexOf(listOrder);
    if (at < 0)
        throw AppError(QStringLiteral("The guest list's statement has no ORDER BY"));
    statement.insert(at + listOrder.size(), column + QStringLiteral(","));
    return statement;
}

Measurement TitleSortBenchmark::measure(const QStringList &arguments)
{
    const QString column = arguments.value(0);
    checkColumn(column);
    const TurkishLocaleScope collation; // text sorts as a Turkish user's list does
    Database db;
    db.open(QStringLiteral("qrt.db"));
    Query query(&db);
    query.setRowWindow(true); // as the guest list reads its rows
    query.setSql(GuestListBenchmark::statement());
    for (const char *macro : {"staticfilter", "filter", "having"})
        query.setMacro(QLatin1String(macro), QStringLiteral("1"));
    // The list is on the screen before the user clicks the title.
    query.open();
    query.fetchMore(GuestListBenchmark::kFirstRows - query.loadedCount());

    const WorkClock clock;
    query.setSortOrder(column + QStringLiteral(":A"));
    for (int row = 0; row < GuestListBenchmark::kFirstRows; ++row)
        query.rawValue(row, 0); // the first screen of the sorted list
    Measurement result = clock.stop();
    result.note = QStringLiteral("%1 rows, first IDMISAFIR %2")
                      .arg(query.loadedCount())
                      .arg(query.rawValue(0, query.columnOf(QStringLiteral("IDMISAFIR"))).toLongLong());
    return result;
}

void TitleSortBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    const ComparisonRunner runner(options.runs);
    const QVector<SampleSize> sizes = options.sizes();
    for (const QString &column : kColumns) {
        ComparisonTable table(QStringLiteral("Title click on %1 in the guest list \"Tümü\": first screen of the sorted list").arg(column), 0);
        const QString script = SqliteShell::connectionSettings() + shellStatement(column) + QStringLiteral(";\n");
        for (const SampleSize &size : sizes) {
            std::fprintf(stderr, "sort %s, %s\n", qPrintable(column), qPrintable(size.label()));
            // The aim is set for the smaller register; the larger one is shown for reference.
            const double aim = size.stays <= SampleSize::small().stays ? kAimSeconds : 0;
            table.add(size.label(), runner.compare(cache.database(size), QLatin1String(kKind), {column}, script), 0, aim);
        }
        table.print();
    }
}
