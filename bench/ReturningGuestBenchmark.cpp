#include "ReturningGuestBenchmark.h"

#include "BenchOptions.h"
#include "ComparisonRunner.h"
#include "ComparisonTable.h"
#include "SampleDatabaseCache.h"
#include "SqliteShell.h"

#include "data/CreationScript.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "gen/SqlLiteral.h"
#include "returning/ReturningGuestLookup.h"

#include "WorkClock.h"

#include <cstdio>

namespace {

constexpr double kSecondsAim = 0.020;

// The person indexes as the creation script declares them, for sample files made before it did.
QString personIndexStatements()
{
    QStringList statements;
    const QStringList lines = creationScriptText().split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("CREATE INDEX IF NOT EXISTS TCNO_index"))
            || line.startsWith(QLatin1String("CREATE INDEX IF NOT EXISTS KIMLIKSERINO_index")))
            statements << line;
    }
    if (statements.size() != 2)
        throw AppError(QStringLiteral("The creation script lacks the person indexes"));
    return statements.join(u'\n');
}

// A person from the middle of the register: a citizen's TC number, a foreign guest's serial.
QStringList personArguments(const QString &database, bool byTcNo)
{
    Database db;
    db.open(database);
    const QString sql = byTcNo
        ? QStringLiteral("SELECT 'tc', TCNO, '' FROM MISAFIR WHERE TCNO IS NOT NULL AND IDMISAFIR >= "
                         "(SELECT MAX(IDMISAFIR)/2 FROM MISAFIR) LIMIT 1")
        : QStringLiteral("SELECT 'serial', KIMLIKSERINO, UYRUGU FROM MISAFIR WHERE UYRUGU<>'TC' AND IDMISAFIR >= "
                         "(SELECT MAX(IDMISAFIR)/2 FROM MISAFIR) LIMIT 1");
    Statement person(db, sql);
    if (!person.step())
        throw AppError(QStringLiteral("No person to look up in %1").arg(database));
    return {person.columnValue(0).toString(), person.columnValue(1).toString(), person.columnValue(2).toString()};
}

PersonKey keyOf(const QStringList &arguments)
{
    if (arguments.value(0) == QLatin1String("tc"))
        return {arguments.value(1).toULongLong(), {}, {}};
    return {0, arguments.value(1), arguments.value(2)};
}

// Our statement with the person's values written in, for the shell.
QString shellStatement(const QStringList &arguments)
{
    const bool byTcNo = arguments.value(0) == QLatin1String("tc");
    QString statement = ReturningGuestLookup::statement(byTcNo);
    if (byTcNo)
        return statement.replace(QStringLiteral(":tcno"), arguments.value(1));
    const auto literal = [](const QString &text) { return u'\'' + sqlEscape(text) + u'\''; };
    return statement.replace(QStringLiteral(":seri"), literal(arguments.value(1)))
        .replace(QStringLiteral(":uyruk"), literal(arguments.value(2)));
}

} // namespace

Measurement ReturningGuestBenchmark::measure(const QStringList &arguments)
{
    Database db;
    db.open(QStringLiteral("qrt.db"));
    const PersonKey key = keyOf(arguments);
    const WorkClock clock;
    const auto stay = ReturningGuestLookup::find(db, key);
    Measurement result = clock.stop();
    result.note = stay ? ReturningGuestLookup::notice(*stay) : QStringLiteral("not found");
    return result;
}

void ReturningGuestBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    const ComparisonRunner runner(options.runs);
    for (const bool byTcNo : {true, false}) {
        ComparisonTable table(QStringLiteral("Returning guest look-up by %1")
                                  .arg(byTcNo ? QStringLiteral("TC number") : QStringLiteral("serial and nationality")),
                              0);
        for (const SampleSize &size : options.sizes()) {
            const QString database =
                cache.variant(cache.database(size), QStringLiteral("-person-indexes"), personIndexStatements());
            const QStringList arguments = personArguments(database, byTcNo);
            const QString script = SqliteShell::connectionSettings() + shellStatement(arguments) + QStringLiteral(";\n");
            std::fprintf(stderr, "returning %s, %s: %s\n", byTcNo ? "tc" : "serial", size.label().toUtf8().constData(),
                         arguments.join(u' ').toUtf8().constData());
            table.add(size.label(), runner.compare(database, QLatin1String(kKind), arguments, script), 0, kSecondsAim);
        }
        table.print();
    }
}
