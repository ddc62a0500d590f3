#include "FirstScreenBenchmark.h"

#include "BenchOptions.h"
#include "MeasurementFigures.h"
#include "SampleDatabaseCache.h"
#include "SampleSize.h"
#include "ScratchCopy.h"
#include "SqliteShell.h"
#include "WorkClock.h"
#include "WorkerProcess.h"

#include "data/CreationScript.h"
#include "data/ListStatements.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/Query.h"
#include "db/Statement.h"
#include "db/StoredValue.h"
#include "forms/TFormMisafirCikis.h"
#include "forms/TFrameMisafirler.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

enum class ListKind { Guests, CheckOut, ExportDay };

// The export window's day condition, as the window sets it.
const char *const kDayCondition =
    "(:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih";

struct Screen {
    const char *key;
    QString caption;
    ListKind list;
    QString staticFilter;
};

const Screen kScreens[] = {
    {"all", QStringLiteral("Misafirler \"Tümü\""), ListKind::Guests, QStringLiteral("1")},
    {"present", QStringLiteral("Misafirler \"Konaklayanlar\""), ListKind::Guests,
     QString::fromLatin1(TFrameMisafirler::kKonaklayanlar)},
    {"checkout", QStringLiteral("Misafir Çıkış"), ListKind::CheckOut, QString::fromLatin1(TFormMisafirCikis::kStaticFilter)},
    {"exportday", QStringLiteral("Xml Kaydet, day list"), ListKind::ExportDay, QString::fromLatin1(kDayCondition)},
};

const Screen &screen(const QString &key)
{
    for (const Screen &s : kScreens) {
        if (key == QLatin1String(s.key))
            return s;
    }
    throw AppError(QStringLiteral("Unknown list '%1'").arg(key));
}

QString ownText(ListKind list)
{
    switch (list) {
    case ListKind::Guests: return QString::fromLatin1(ListStatements::kGuestList);
    case ListKind::CheckOut: return QString::fromLatin1(ListStatements::kCheckOutList);
    case ListKind::ExportDay: return QString::fromLatin1(ListStatements::kExportDayList);
    }
    return {};
}

QString registerText(const ListStatements &statements, ListKind list)
{
    switch (list) {
    case ListKind::Guests: return statements.guestList();
    case ListKind::CheckOut: return statements.checkOutList();
    case ListKind::ExportDay: return statements.exportDayList();
    }
    return {};
}

QString expanded(const QString &sql, const Screen &s)
{
    Query query(nullptr);
    query.setSql(sql);
    query.setMacro(QStringLiteral("staticfilter"), s.staticFilter);
    query.setMacro(QStringLiteral("filter"), QStringLiteral("1"));
    query.setMacro(QStringLiteral("having"), QStringLiteral("1"));
    return query.expandedSql();
}

// The value the window binds to :tarih when it opens the list, in its stored form.
QString tarihFor(ListKind list, const QDateTime &moment)
{
    switch (list) {
    case ListKind::Guests: return {};
    case ListKind::CheckOut: return StoredValue::dateTimeText(moment).toString();
    case ListKind::ExportDay: return StoredValue::dateText(moment.date());
    }
    return {};
}

QString shellScript(const QString &expandedSql, const QString &tarih)
{
    QString sql = expandedSql;
    sql.replace(QStringLiteral(":tarih"), QLatin1Char('\'') + tarih + QLatin1Char('\''));
    return SqliteShell::connectionSettings() + sql + QStringLiteral(" LIMIT %1;\n").arg(FirstScreenBenchmark::kFirstRows);
}

struct Figures {
    QVector<Measurement> ours;
    QVector<Measurement> shellOwn;
    QVector<Measurement> shellOurs;
};

QString seconds(double value)
{
    return QString::number(value, 'f', 3) + QStringLiteral(" s");
}

// The three sides only read the file, so one copy per size serves every run; the sides take
// turns at going first.
Figures measureScreen(const Screen &s, const QString &folder, const QString &ourText, int runs)
{
    const QString tarih = tarihFor(s.list, QDateTime::currentDateTime());
    const QString ownScript = shellScript(expanded(ownText(s.list), s), tarih);
    const QString ourScript = shellScript(expanded(ourText, s), tarih);
    Figures figures;
    const std::function<void()> sides[] = {
        [&] { figures.ours << WorkerProcess::run(QLatin1String(FirstScreenBenchmark::kKind), folder,
                                                 {QLatin1String(s.key), tarih}); },
        [&] { figures.shellOwn << SqliteShell().run(folder, ownScript); },
        [&] { figures.shellOurs << SqliteShell().run(folder, ourScript); },
    };
    for (int run = 0; run < runs; ++run) {
        for (int side = 0; side < 3; ++side)
            sides[(run + side) % 3]();
        std::fprintf(stderr, "  run %d: ours %.3f s (%s), shell own text %.3f s, shell our text %.3f s\n", run + 1,
                     figures.ours.last().seconds, qPrintable(figures.ours.last().note), figures.shellOwn.last().seconds,
                     figures.shellOurs.last().seconds);
    }
    return figures;
}

} // namespace

Measurement FirstScreenBenchmark::measure(const QStringList &arguments)
{
    const Screen &s = screen(arguments.value(0));
    Database db;
    db.open(QStringLiteral("qrt.db"));
    const QString sql = expanded(registerText(ListStatements(&db), s.list), s);

    const WorkClock clock;
    Statement statement(db, sql);
    statement.bind(QStringLiteral("tarih"), arguments.value(1));
    int rows = 0;
    while (rows < kFirstRows && statement.step())
        ++rows;
    Measurement result = clock.stop();
    result.note = QStringLiteral("%1 rows").arg(rows);
    if (rows != kFirstRows)
        throw AppError(QStringLiteral("%1 rows read instead of %2").arg(rows).arg(kFirstRows));
    return result;
}

void FirstScreenBenchmark::run(const BenchOptions &options, const SampleDatabaseCache &cache)
{
    std::printf("\n### First screen (%d rows) of the guest lists\n\n", kFirstRows);
    std::printf("| List | Register | ours (Statement) | shell, list's own text | shell, our text | our peak |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const SampleSize &size : options.sizes()) {
        // The register as the program leaves it after one start: the creation script has run.
        const QString started = cache.variant(cache.database(size), QStringLiteral("-started"), creationScriptText());
        const ScratchCopy copy(started);
        QStringList ourTexts;
        {
            Database db;
            db.open(copy.folder() + QStringLiteral("/qrt.db"));
            const ListStatements statements(&db);
            for (const Screen &s : kScreens)
                ourTexts << registerText(statements, s.list);
        }
        for (int i = 0; i < int(std::size(kScreens)); ++i) {
            const Screen &s = kScreens[i];
            std::fprintf(stderr, "firstscreen %s, %s\n", s.key, qPrintable(size.label()));
            const Figures figures = measureScreen(s, copy.folder(), ourTexts[i], options.runs);
            std::printf("| %s | %s | %s | %s | %s | %.1f MB |\n", qPrintable(s.caption), qPrintable(size.label()),
                        qPrintable(seconds(MeasurementFigures::median(figures.ours, &Measurement::seconds))), qPrintable(seconds(MeasurementFigures::median(figures.shellOwn, &Measurement::seconds))),
                        qPrintable(seconds(MeasurementFigures::median(figures.shellOurs, &Measurement::seconds))), double(MeasurementFigures::highest(figures.ours, &Measurement::peakKb)) / 1024.0);
            std::fflush(stdout);
        }
    }
}
