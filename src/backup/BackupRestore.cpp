#include "backup/BackupRestore.h"

#include "backup/AfterRestore.h"
#include "backup/BackupFolder.h"
#include "backup/RegisterCopier.h"
#include "db/DatabaseError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr QFileDevice::Permissions kOwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString journalOf(const QString &databasePath)
{
    return databasePath + QStringLiteral("-journal");
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void BackupRestore::checkCopy(const QString &copyPath)
{
    try {
        RegisterCopier::check(copyPath);
    } catch (const DatabaseError &error) {
        throw AppError(QStringLiteral("Seçilen yedek kullanılamaz: %1 (%2)")
                           .arg(QFileInfo(copyPath).fileName(), error.message()));
    }
}

QString BackupRestore::putInPlace(const QString &registerPath, const QString &copyPath, const QDateTime &moment)
{
    const BackupFolder folder(registerPath);
    folder.prepare();
    const QString kept = moveRegisterAside(registerPath, folder.beforeRestorePathFor(moment));
    try {
        copyIntoPlace(copyPath, registerPath);
        // A copy that cannot take the recorded erasures must not replace the register.
        AfterRestore::reapplyRecordedChanges(kept, QFileInfo(registerPath).absoluteFilePath());
    } catch (...) {
        if (!kept.isEmpty()) {
            QFile::remove(registerPath);
            QFile::rename(kept, registerPath);
            QFile::rename(journalOf(kept), journalOf(registerPath));
        }
        throw;
    }
    return kept;
}

// A journal left by a crash belongs to the register it was written for: beside the restored
// copy it would be rolled back into pages it never knew.
QString BackupRestore::moveRegisterAside(const QString &registerPath, const QString &keptPath)
{
    if (!QFileInfo::exists(registerPath))
        return {};
    QFile registerFile(registerPath);
    if (!registerFile.rename(keptPath))
        throw AppError(QStringLiteral("Kayıt dosyası kenara alınamadı: %1 (%2)").arg(shown(keptPath), registerFile.errorString()));
    QFile::setPermissions(keptPath, kOwnerOnlyFile);
    QFile journal(journalOf(registerPath));
    if (journal.exists() && !journal.rename(journalOf(keptPath))) {
        const QString reason = journal.errorString();
        QFile::rename(keptPath, registerPath);
        throw AppError(QStringLiteral("Kayıt dosyasının günlüğü kenara alınamadı: %1 (%2)")
                           .arg(shown(journalOf(registerPath)), reason));
    }
    return keptPath;
}

// The copy is written beside the register under another name and then renamed, so that the
// register is never a half-written file.
void BackupRestore::copyIntoPlace(const QString &copyPath, const QString &registerPath)
{
    const QString partial = registerPath + QStringLiteral(".geri-yukleniyor");
    QFile::remove(partial);
    QFile source(copyPath);
    if (!source.copy(partial))
        throw AppError(QStringLiteral("Yedek kopyalanamadı: %1 (%2)").arg(shown(copyPath), source.errorString()));
    QFile::setPermissions(partial, kOwnerOnlyFile);
    QFile target(partial);
    if (!target.rename(registerPath)) {
        QFile::remove(partial);
        throw AppError(QStringLiteral("Yedek yerine konamadı: %1 (%2)").arg(shown(registerPath), target.errorString()));
    }
}
