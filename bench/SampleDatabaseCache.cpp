#include "SampleDatabaseCache.h"

#include "db/AppError.h"
#include "GeneratorOptions.h"
#include "SampleDataGenerator.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sqlite3.h>

#include <cstdio>

namespace {

void runOnFile(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    const auto closeDb = qScopeGuard([&db] { sqlite3_close_v2(db); });
    char *error = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_free(error);
        throw AppError(QStringLiteral("%1: %2").arg(path, message));
    }
}

} // namespace

QString SampleDatabaseCache::fileName(const SampleSize &size) const
{
    return QStringLiteral("stays%1-fac%2-present%3-%4.db")
        .arg(size.stays)
        .arg(size.facilities)
        .arg(size.present)
        .arg(QDate::currentDate().toString(Qt::ISODate));
}

QString SampleDatabaseCache::database(const SampleSize &size) const
{
    const QDir folder(m_folder);
    const QString path = folder.filePath(fileName(size));
    if (QFile::exists(path))
        return path;
    if (!folder.mkpath(QStringLiteral(".")))
        throw AppError(QStringLiteral("Cannot create %1").arg(m_folder));

    // Written under another name first, so that an interrupted run leaves no half file behind
    // that a later run would take for a finished one.
    GeneratorOptions options;
    options.outputPath = path + QStringLiteral(".part");
    options.facilities = size.facilities;
    options.stays = size.stays;
    options.present = size.present;
    options.today = QDate::currentDate();
    options.force = true;
    std::fprintf(stderr, "Generating %s ...\n", qPrintable(path));
    const GenerationSummary summary = SampleDataGenerator(options).run();
    if (!QFile::rename(options.outputPath, path))
        throw AppError(QStringLiteral("Cannot rename %1 to %2").arg(options.outputPath, path));
    std::fprintf(stderr, "  %lld stays in %.1f s\n", static_cast<long long>(summary.stays), summary.seconds);
    return path;
}

QString SampleDatabaseCache::variant(const QString &database, const QString &suffix, const QString &sql) const
{
    const QFileInfo source(database);
    const QString path = source.dir().filePath(source.completeBaseName() + suffix + QStringLiteral(".db"));
    if (QFile::exists(path))
        return path;
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(database, part))
        throw AppError(QStringLiteral("Cannot copy %1 to %2").arg(database, part));
    std::fprintf(stderr, "Making %s ...\n", qPrintable(path));
    runOnFile(part, sql);
    if (!QFile::rename(part, path))
        throw AppError(QStringLiteral("Cannot rename %1 to %2").arg(part, path));
    return path;
}
