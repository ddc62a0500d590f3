#include "backup/DailyBackup.h"

#include "app/CommandLine.h"
#include "backup/BackupFolder.h"
#include "backup/BackupRetention.h"
#include "backup/RegisterCopier.h"
#include "db/DatabaseError.h"
#include "db/ErrorSink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

DailyBackup::Outcome DailyBackup::makeCopy(const QString &registerPath, const QDate &today)
{
    if (!QFileInfo(registerPath).isFile())
        return Outcome::NoRegister;
    const BackupFolder folder(registerPath);
    const QString target = folder.copyPathFor(today);
    if (QFileInfo::exists(target))
        return Outcome::AlreadyMadeToday;
    folder.prepare();
    try {
        RegisterCopier::copy(registerPath, target);
    } catch (const DatabaseError &error) {
        // A register held by another running copy, or a file that is no database at all, is
        // reported by the opening that follows; one message for one cause.
        if (error.code() == SQLITE_BUSY || error.code() == SQLITE_LOCKED)
            return Outcome::RegisterInUse;
        if (error.code() == SQLITE_NOTADB)
            return Outcome::NotADatabase;
        throw AppError(QStringLiteral("Günün yedeği alınamadı: %1 (%2). Program yedeksiz açılıyor.")
                           .arg(QLatin1String(BackupFolder::kFolderName) + QDir::separator() + QFileInfo(target).fileName(),
                                error.message()));
    }
    removeCopiesNoLongerKept(registerPath);
    return Outcome::Made;
}

void DailyBackup::removeCopiesNoLongerKept(const QString &registerPath)
{
    const BackupFolder folder(registerPath);
    QList<QDate> days;
    for (const BackupCopy &copy : folder.copies())
        days.append(copy.day);
    QStringList notRemoved;
    for (const QDate &day : BackupRetention::toRemove(days)) {
        const QString path = folder.copyPathFor(day);
        if (!QFile::remove(path))
            notRemoved << QFileInfo(path).fileName();
    }
    if (!notRemoved.isEmpty())
        throw AppError(QStringLiteral("Eski yedekler silinemedi: %1").arg(notRemoved.join(QStringLiteral(", "))));
}

void DailyBackup::atInteractiveStart(const QString &registerPath)
{
    if (CommandLine::modeFor(QCoreApplication::arguments().mid(1)) == CommandLine::Mode::Unattended)
        return;
    ErrorSink::guard([&] { makeCopy(registerPath, QDate::currentDate()); });
}

void DailyBackup::requireCopyOfToday(const QString &registerPath)
{
    const QDate today = QDate::currentDate();
    if (QFileInfo::exists(BackupFolder(registerPath).copyPathFor(today)))
        return;
    makeCopy(registerPath, today);
    if (!QFileInfo::exists(BackupFolder(registerPath).copyPathFor(today)))
        throw AppError(QStringLiteral("Bugünün yedeği alınamadı; hiçbir kayıt silinmedi."));
}
