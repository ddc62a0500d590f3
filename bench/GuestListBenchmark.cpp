#include "GuestListBenchmark.h"

#include "BenchOptions.h"
#include "ComparisonRunner.h"
#include "ComparisonTable.h"
#include "SampleDatabaseCache.h"
#include "SqliteShell.h"
#include "WorkClock.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "db/Query.h"

#include "forms/TFrameMisafirler.h"

#include <cstdio>

namespace {

// The guest list's own statement, as its frame sets it.
const QString kGuestListSql = QString::fromLatin1(TFrameMisafirler::kGuestSql);

// The two choices of "Göster": the worker gets the plain key, the table shows the caption.
struct Choice {
    const char *key;
    QString caption;
    QString staticFilter;
};

const Choice kChoices[] = {
    {"all", QStringLiteral("Tümü"), QStringLiteral("1")},
    {"present", QStringLiteral("Konaklayanlar"),
     QStringLiteral("((DATE('now','localtime') BETWEEN GELISTARIH AND "
                    "COALESCE(AYRILISTARIH,DATE('now','localtime'))) OR GELISTARIH=DATE('now','localtime'))")},
};

QString staticFilter(const QString &key)
{
    for (const Choice &choice : kChoices) {
        if (key == QLatin1String(choice.key))
            return choice.staticFilter;
    }
    throw AppError(QStringLiteral("Unknown choice '%1'").arg(key));
}

void configure(Query &query, const QString &choice)
{
    query.setSql(kGuestListSql);
    query.setMacro(QStringLiteral("staticfilter"), staticFilter(choice));
    query.setMacro(QStringLiteral("filter"), QStringLiteral("1"));
    query.setMacro(QStringLiteral("having"), QStringLiteral("1"));
}

} // namespace

QString GuestListBenchmark::statement()
{
    return kGuestListSql;
}

QString GuestListBenchmark::expandedStatement(const QString &choice)
{
    Query query(nullptr);
    configure(query, choice);
    return query.expandedSql();
}

Measurement GuestListBenchmark::measure(const QStringList &arguments)
{
    Database db;
    db.open(QStringLiteral("qrt.db"));
    Query query(&db);
    configure(query, arguments.value(0));

    const WorkClock clock;
    query.open();
    query.fetchMore(kFirstRows - query.loadedCount());
    Measurement result = clock.stop();
    if (query.loadedCount() != kFirstRows)
        throw AppError(QStringLiteral("%1 rows loaded instead of %2").arg(query.loadedCount()).arg(kFirstRows));
    result.note = QStringLiteral("%1 rows, first IDMISAFIR %2")
                      .arg(query.loadedCount())
                      .arg(query.rawValue(0, query.columnOf(QStringLiteral("IDMISAFIR"))).toLongLong());
    return result;
}

void GuestListBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    const ComparisonRunner runner(options.runs);
    const QVector<SampleSize> sizes = options.sizes();
    for (const Choice &choice : kChoices) {
        const QString key = QLatin1String(choice.key);
        ComparisonTable table(
            QStringLiteral("Guest list \"%1\": first %2 rows").arg(choice.caption).arg(kFirstRows), 1.1);
        const QString script = SqliteShell::connectionSettings() + expandedStatement(key)
            + QStringLiteral(" LIMIT %1;\n").arg(kFirstRows);
        for (const SampleSize &size : sizes) {
            std::fprintf(stderr, "guestlist %s, %s\n", choice.key, qPrintable(size.label()));
            const qint64 memoryAimKb = size.stays >= SampleSize::large().stays ? 150 * 1024 : 0;
            table.add(size.label(), runner.compare(cache.database(size), QLatin1String(kKind), {key}, script),
                      memoryAimKb);
        }
        table.print();
    }
}
