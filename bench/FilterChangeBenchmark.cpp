#include "FilterChangeBenchmark.h"

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
#include "gen/GridFilter.h"
#include "gen/StandardFieldSets.h"


#include <cstdio>

#include <sqlite3.h>

namespace {

// One filled filter cell, with the declared type of its column.
struct FilterCell {
    QString fieldName;
    QString text;
    FieldType type;
};

// What the user types into the filter bar: the worker gets the plain key, the table shows the caption.
struct FilterChange {
    const char *key;
    QString caption;
    QList<FilterCell> cells;
};

const FilterChange kChanges[] = {
    {"name", QStringLiteral("ADI \"ahmet\""), {{QStringLiteral("ADI"), QStringLiteral("ahmet"), FieldType::String}}},
    // An "i" in the text adds the search for its dotted capital "İ".
    {"name-i", QStringLiteral("ADI \"ali\""), {{QStringLiteral("ADI"), QStringLiteral("ali"), FieldType::String}}},
    {"surname-date", QStringLiteral("SOYADI \"yıl\", GELISTARIH \">=01.01.2020\""),
     {{QStringLiteral("SOYADI"), QStringLiteral("yıl"), FieldType::String},
      {QStringLiteral("GELISTARIH"), QStringLiteral(">=01.01.2020"), FieldType::Date}}},
};

const FilterChange &filterChange(const QString &key)
{
    for (const FilterChange &change : kChanges) {
        if (key == QLatin1String(change.key))
            return change;
    }
    throw AppError(QStringLiteral("Unknown filter change '%1'").arg(key));
}

// The connection's page cache at the moment of the change: as the open list left it (what the
// user meets), or released, so that the engine starts as cold as the shell's does.
const QString kCacheKept = QStringLiteral("kept");
const QString kCacheReleased = QStringLiteral("released");

// The guest list as the "Göster" choice "Tümü" opens it, before any filter.
void configureAllStays(Query &query)
{
    query.setSql(GuestListBenchmark::statement());
    query.setMacro(QStringLiteral("staticfilter"), QStringLiteral("1"));
    query.setMacro(QStringLiteral("filter"), QStringLiteral("1"));
    query.setMacro(QStringLiteral("having"), QStringLiteral("1"));
}

// The grid's filled columns; the type comes from the open query's field when there is one (as in
// the grid), otherwise from the declared column type.
QList<FilterColumn> filterColumns(const FilterChange &change, const Query *openQuery)
{
    QList<FilterColumn> columns;
    for (const FilterCell &cell : change.cells) {
        const FieldType type = openQuery ? openQuery->fieldByName(cell.fieldName).type() : cell.type;
        columns << FilterColumn{cell.fieldName, cell.text, type, true};
    }
    return columns;
}

// The first screen: until kFirstRows rows are loaded or the result has no more.
void fetchFirstScreen(Query &query)
{
    while (query.loadedCount() < FilterChangeBenchmark::kFirstRows && !query.isFullyLoaded()) {
        if (query.fetchMore(FilterChangeBenchmark::kFirstRows - query.loadedCount()) == 0)
            break;
    }
}

QString resultNote(const Query &query)
{
    if (query.loadedCount() == 0)
        return QStringLiteral("0 rows");
    return QStringLiteral("%1 rows, first IDMISAFIR %2")
        .arg(query.loadedCount())
        .arg(query.rawValue(0, query.columnOf(QStringLiteral("IDMISAFIR"))).toLongLong());
}

} // namespace

QString FilterChangeBenchmark::expandedStatement(const QString &change)
{
    const TurkishLocaleScope locale;
    QString whereText;
    QString havingText;
    gridFiltreSartiVer(misafirFieldSet(), filterColumns(filterChange(change), nullptr), whereText, havingText);
    // The macros as the filter bar's handler sets them.
    Query query(nullptr);
    configureAllStays(query);
    if (!whereText.isEmpty())
        query.setMacro(QStringLiteral("filter"), whereText);
    if (!havingText.isEmpty())
        query.setMacro(QStringLiteral("having"), havingText);
    return query.expandedSql();
}

Measurement FilterChangeBenchmark::measure(const QStringList &arguments)
{
    const TurkishLocaleScope locale;
    const FilterChange &change = filterChange(arguments.value(0));
    const QString cache = arguments.value(1);
    if (cache != kCacheKept && cache != kCacheReleased)
        throw AppError(QStringLiteral("Unknown page cache mode '%1'").arg(cache));
    Database db;
    db.open(QStringLiteral("qrt.db"));
    Query query(&db);
    configureAllStays(query);
    // The list is on the screen before the user types into the filter bar.
    query.open();
    fetchFirstScreen(query);
    const Tmyfieldset fieldset = misafirFieldSet();
    const QList<FilterColumn> columns = filterColumns(change, &query);
    if (cache == kCacheReleased)
        sqlite3_db_release_memory(db.handle());

    const WorkClock clock;
    filtreDegisti(query, fieldset, columns);
    fetchFirstScreen(query);
    Measurement result = clock.stop();

    // The shell must run what our translation produced, character for character.
    if (query.expandedSql() != expandedStatement(arguments.value(0)))
        throw AppError(QStringLiteral("The statement after the change differs from the shell's:\n%1")
                           .arg(query.expandedSql()));
    result.note = resultNote(query);
    return result;
}

void FilterChangeBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    const ComparisonRunner runner(options.runs);
    const QVector<SampleSize> sizes = options.sizes();
    for (const FilterChange &change : kChanges) {
        const QString key = QLatin1String(change.key);
        ComparisonTable table(QStringLiteral("Filter change on the guest list \"Tümü\", %1: first %2 rows")
                                  .arg(change.caption)
                                  .arg(kFirstRows),
                              1.1);
        const QString statement = expandedStatement(key);
        std::fprintf(stderr, "filter %s:\n%s\n", change.key, statement.toUtf8().constData());
        const QString script =
            SqliteShell::connectionSettings() + statement + QStringLiteral(" LIMIT %1;\n").arg(kFirstRows);
        for (const SampleSize &size : sizes) {
            const qint64 memoryAimKb = size.stays >= SampleSize::large().stays ? 150 * 1024 : 0;
            for (const QString &mode : {kCacheKept, kCacheReleased}) {
                const QString label = mode == kCacheKept ? size.label()
                                                         : size.label() + QStringLiteral(", our page cache released");
                std::fprintf(stderr, "filter %s, %s\n", change.key, label.toUtf8().constData());
                table.add(label,
                          runner.compare(cache.database(size), QLatin1String(kKind), {key, mode}, script),
                          memoryAimKb);
            }
        }
        table.print();
    }
}
