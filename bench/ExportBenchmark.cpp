#include "ExportBenchmark.h"

#include "BenchOptions.h"
#include "ComparisonRunner.h"
#include "ComparisonTable.h"
#include "ReportedErrors.h"
#include "SampleDatabaseCache.h"
#include "SqliteShell.h"
#include "WorkClock.h"

#include "data/Tdm1.h"
#include "db/AppError.h"
#include "gen/TransientMessage.h"
#include "notify/XmlKaydet.h"

#include <QDateTime>
#include <QDir>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

// The export's own statements, as the export runs them.
const QString kSettingsSql = QStringLiteral("SELECT * FROM AYAR WHERE IDAYAR=1");

const QString kFacilitySql = QStringLiteral(
    "SELECT TESISLER.*,COUNT(IDMISAFIR) AS SAY FROM TESISLER LEFT JOIN ODAEV ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER LEFT JOIN MISAFIR ON ODAEV.IDODAEV=MISAFIR._IDODAEV AND "
    "((:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih)  "
    "WHERE TESISLER.TESISAKTIF=1 GROUP BY IDTESISLER ");

const QString kGuestSql = QStringLiteral(
    "SELECT *,datetime(DATE(GELISTARIH), TIME(GELISSAAT)) AS GELISTARIHSAAT FROM MISAFIR INNER JOIN "
    "ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE TESISLER.TESISKODU=:tesiskodu AND "
    "TESISLER.TESISAKTIF=1 AND ((:tarih BETWEEN GELISTARIH AND "
    "COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih) GROUP BY IDMISAFIR ");

// The generator leaves some stays incomplete on purpose, a few without arrival time. A present
// guest without one makes the facility's document fail, as it should, and that ends the
// facility's guest query early on our side only; the shell always reads every row. So that both
// sides do the same work, the export runs on a copy in which those stays have an arrival time.
const QString kCompleteArrivals = QStringLiteral("UPDATE MISAFIR SET GELISSAAT='12:00:00.000' "
                                                 "WHERE datetime(DATE(GELISTARIH), TIME(GELISSAAT)) IS NULL");

const QString kPoliceFolder = QStringLiteral("akbs");
const QString kGendarmerieFolder = QStringLiteral("jkbs");

QString dayLiteral(const QDate &day)
{
    return QLatin1Char('\'') + day.toString(Qt::ISODate) + QLatin1Char('\'');
}

// The codes of the facilities the export writes a file for, in its order: the facility query's
// rows with a code (both folders are set, so no facility is skipped for its folder).
QList<qint64> exportedFacilityCodes(const QString &database, const QDate &day)
{
    sqlite3 *db = nullptr;
    const auto closeDb = qScopeGuard([&db] { sqlite3_close_v2(db); });
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw AppError(QStringLiteral("%1: %2").arg(database, QString::fromUtf8(sqlite3_errmsg(db))));
    const QByteArray sql = QString(kFacilitySql).replace(QStringLiteral(":tarih"), dayLiteral(day)).toUtf8();
    sqlite3_stmt *statement = nullptr;
    const auto finalize = qScopeGuard([&statement] { sqlite3_finalize(statement); });
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(db)));
    int codeColumn = -1;
    for (int column = 0; column < sqlite3_column_count(statement); ++column) {
        if (qstrcmp(sqlite3_column_name(statement, column), "TESISKODU") == 0)
            codeColumn = column;
    }
    QList<qint64> codes;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (sqlite3_column_int64(statement, codeColumn) != 0)
            codes << sqlite3_column_int64(statement, codeColumn);
    }
    if (rc != SQLITE_DONE)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(db)));
    return codes;
}

void pointSettingsAtFolders(Database &db)
{
    QDir here;
    if (!here.mkpath(kPoliceFolder) || !here.mkpath(kGendarmerieFolder))
        throw AppError(QStringLiteral("Cannot create the export folders"));
    db.execute(QStringLiteral("UPDATE AYAR SET AKBXMLDIZIN=:police, JKBXMLDIZIN=:gendarmerie WHERE IDAYAR=1"),
               {{QStringLiteral("police"), here.absoluteFilePath(kPoliceFolder)},
                {QStringLiteral("gendarmerie"), here.absoluteFilePath(kGendarmerieFolder)}});
}

int filesIn(const QString &folder)
{
    return int(QDir(folder).entryList(QDir::Files).size());
}

} // namespace

QString ExportBenchmark::shellScript(const QString &database, const QDate &day)
{
    QString script = SqliteShell::connectionSettings() + kSettingsSql + QStringLiteral(";\n");
    script += QString(kFacilitySql).replace(QStringLiteral(":tarih"), dayLiteral(day)) + QStringLiteral(";\n");
    for (const qint64 code : exportedFacilityCodes(database, day)) {
        script += QString(kGuestSql)
                      .replace(QStringLiteral(":tesiskodu"), QString::number(code))
                      .replace(QStringLiteral(":tarih"), dayLiteral(day))
            + QStringLiteral(";\n");
    }
    return script;
}

Measurement ExportBenchmark::measure(const QStringList &)
{
    const ReportedErrors errors;
    const auto module = std::make_unique<Tdm1>();
    errors.throwIfAny();
    pointSettingsAtFolders(*module->dbMain());
    // Start from a cold page cache of the connection, as the shell does; the start-up's VACUUM
    // has just read the whole file.
    sqlite3_db_release_memory(module->dbMain()->handle());
    ::sync(); // the file the VACUUM rewrote goes to disk before the clock starts

    int messages = 0;
    QString firstMessage;
    const ScopedMesajGosterHook hook([&](const QString &text, const QString &) {
        if (messages++ == 0)
            firstMessage = text;
    });
    const WorkClock clock;
    XmlDosyalariKaydet(QDateTime::currentDateTime());
    Measurement result = clock.stop();
    result.note = QStringLiteral("%1 files, %2 messages").arg(filesIn(kPoliceFolder) + filesIn(kGendarmerieFolder)).arg(messages);
    if (messages > 0)
        result.note += QStringLiteral(" (first: %1)").arg(firstMessage);
    return result;
}

void ExportBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    ComparisonTable table(QStringLiteral("One day's export"), 1.2);
    QVector<SampleSize> sizes{SampleSize::small()};
    if (options.largeExport && !options.smallOnly)
        sizes << SampleSize::large();
    for (const SampleSize &size : sizes) {
        // The large export takes minutes per side: one run each.
        const ComparisonRunner runner(size.stays > SampleSize::small().stays ? 1 : options.runs);
        std::fprintf(stderr, "export, %s\n", qPrintable(size.label()));
        const QString database = cache.variant(cache.database(size), QStringLiteral("-arrivals"), kCompleteArrivals);
        const QString script = shellScript(database, QDate::currentDate());
        table.add(size.label(), runner.compare(database, QLatin1String(kKind), {}, script));
    }
    table.print();
    if (!options.largeExport)
        std::printf("\n(The export of the 1,000,000-stay database runs with --large-export.)\n");
}
