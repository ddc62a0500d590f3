#include "ExportBenchmark.h"

#include "BenchOptions.h"
#include "MeasurementFigures.h"
#include "ComparisonRunner.h"
#include "ReportedErrors.h"
#include "SampleDatabaseCache.h"
#include "ScratchCopy.h"
#include "SqliteShell.h"
#include "WorkClock.h"

#include "data/Tdm1.h"
#include "db/AppError.h"
#include "gen/TransientMessage.h"
#include "notify/PresentGuestsByCode.h"
#include "notify/XmlKaydet.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QScopeGuard>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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

// Runs a statement on the database file opened read-only, with the day written in for :tarih,
// and hands every row to visit.
void readRows(const QString &database, const QString &sql, const QDate &day,
              const std::function<void(sqlite3_stmt *)> &visit)
{
    sqlite3 *db = nullptr;
    const auto closeDb = qScopeGuard([&db] { sqlite3_close_v2(db); });
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw AppError(QStringLiteral("%1: %2").arg(database, QString::fromUtf8(sqlite3_errmsg(db))));
    const QByteArray text = QString(sql).replace(QStringLiteral(":tarih"), dayLiteral(day)).toUtf8();
    sqlite3_stmt *statement = nullptr;
    const auto finalize = qScopeGuard([&statement] { sqlite3_finalize(statement); });
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(db)));
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        visit(statement);
    if (rc != SQLITE_DONE)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(db)));
}

// The codes of the facilities the export writes a file for, in its order: the facility query's
// rows with a code (both folders are set, so no facility is skipped for its folder).
QList<qint64> exportedFacilityCodes(const QString &database, const QDate &day)
{
    QList<qint64> codes;
    int codeColumn = -1;
    readRows(database, kFacilitySql, day, [&](sqlite3_stmt *row) {
        for (int column = 0; codeColumn < 0 && column < sqlite3_column_count(row); ++column) {
            if (qstrcmp(sqlite3_column_name(row, column), "TESISKODU") == 0)
                codeColumn = column;
        }
        if (sqlite3_column_int64(row, codeColumn) != 0)
            codes << sqlite3_column_int64(row, codeColumn);
    });
    return codes;
}

// The keys of the present guests per facility code, as the export's pass finds them.
QHash<qint64, QStringList> presentKeysByCode(const QString &database, const QDate &day)
{
    QHash<qint64, QStringList> keys;
    readRows(database, PresentGuestsByCode::onePassSql(), day, [&keys](sqlite3_stmt *row) {
        if (sqlite3_column_type(row, 0) == SQLITE_INTEGER)
            keys[sqlite3_column_int64(row, 0)] << QString::number(sqlite3_column_int64(row, 1));
    });
    return keys;
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

QString ExportBenchmark::perCodeShellScript(const QString &database, const QDate &day)
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

// The export reads each guest's row by key, one statement a guest; the shell reads a facility's
// guests by their keys in one statement, the same rows in the same order.
QString ExportBenchmark::onePassShellScript(const QString &database, const QDate &day)
{
    QString script = SqliteShell::connectionSettings() + kSettingsSql + QStringLiteral(";\n");
    script += QString(kFacilitySql).replace(QStringLiteral(":tarih"), dayLiteral(day)) + QStringLiteral(";\n");
    script += PresentGuestsByCode::onePassSql().replace(QStringLiteral(":tarih"), dayLiteral(day))
        + QStringLiteral(";\n");
    const QHash<qint64, QStringList> keys = presentKeysByCode(database, day);
    for (const qint64 code : exportedFacilityCodes(database, day)) {
        script += PresentGuestsByCode::guestByIdSql().replace(
                      QStringLiteral("MISAFIR.IDMISAFIR=:idmisafir"),
                      QStringLiteral("MISAFIR.IDMISAFIR IN (%1) ORDER BY MISAFIR.IDMISAFIR")
                          .arg(keys.value(code).join(QLatin1Char(','))))
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

using namespace MeasurementFigures;

namespace {

// The aim: the whole export of a day within three seconds.
constexpr double kSecondsAim = 3.0;

QString tableRow(const QString &size, const ComparisonResult &perCode, const QVector<Measurement> &onePass)
{
    const double ours = median(perCode.ours, &Measurement::seconds);
    const QString note = perCode.ours.isEmpty() ? QString() : perCode.ours.first().note;
    return QStringList{size,
                       QString::number(perCode.ours.size()),
                       seconds(ours),
                       seconds(median(perCode.shell, &Measurement::seconds)),
                       seconds(median(onePass, &Measurement::seconds)),
                       seconds(median(perCode.ours, &Measurement::cpuSeconds)),
                       seconds(median(perCode.shell, &Measurement::cpuSeconds)),
                       seconds(median(onePass, &Measurement::cpuSeconds)),
                       QStringLiteral("%1 (%2 before)")
                           .arg(megabytes(highest(perCode.ours, &Measurement::peakKb)),
                                megabytes(highest(perCode.ours, &Measurement::baseKb))),
                       megabytes(highest(onePass, &Measurement::peakKb)),
                       note,
                       QStringLiteral("time < %1: %2")
                           .arg(seconds(kSecondsAim), ours < kSecondsAim ? QStringLiteral("met") : QStringLiteral("MISSED"))}
        .join(QStringLiteral(" | "));
}

void printTable(const QStringList &rows)
{
    std::printf("\n### One day's export\n\n");
    std::printf("Times are the median of the runs of each side; processor time is user plus system. \"Shell, "
                "per code\" runs the guest statement once for every facility; \"shell, one pass\" reads the "
                "present guests of all facilities once and then each facility's guests by key, as the export "
                "does.\n\n");
    std::printf("| Size | Runs | Ours | Shell, per code | Shell, one pass | Ours CPU | Shell CPU, per code "
                "| Shell CPU, one pass | Our peak RSS | Shell peak RSS, one pass | Our result | Aim |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const QString &row : rows)
        std::printf("| %s |\n", row.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

void ExportBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    QStringList rows;
    QVector<SampleSize> sizes{SampleSize::small()};
    if (options.largeExport && !options.smallOnly)
        sizes << SampleSize::large();
    for (const SampleSize &size : sizes) {
        // The per-code statements take minutes at the large size: one run each there.
        const int runs = size.stays > SampleSize::small().stays ? 1 : options.runs;
        std::fprintf(stderr, "export, %s\n", qPrintable(size.label()));
        const QString database = cache.variant(cache.database(size), QStringLiteral("-arrivals"), kCompleteArrivals);
        const QDate today = QDate::currentDate();
        const ComparisonResult perCode =
            ComparisonRunner(runs).compare(database, QLatin1String(kKind), {}, perCodeShellScript(database, today));
        const QString onePassScript = onePassShellScript(database, today);
        QVector<Measurement> onePass;
        for (int run = 1; run <= runs; ++run) {
            const ScratchCopy copy(database);
            ::sync();
            onePass << SqliteShell().run(copy.folder(), onePassScript);
            std::fprintf(stderr, "  run %d shell, one pass %9.3f s (cpu %7.3f s)\n", run, onePass.last().seconds,
                         onePass.last().cpuSeconds);
        }
        rows << tableRow(size.label(), perCode, onePass);
    }
    printTable(rows);
    if (!options.largeExport)
        std::printf("\n(The export of the 1,000,000-stay database runs with --large-export.)\n");
}
