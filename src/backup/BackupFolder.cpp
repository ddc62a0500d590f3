#include "backup/BackupFolder.h"

#include "db/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

namespace {

constexpr QFileDevice::Permissions kOwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kOthersBits = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                                 | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

const QRegularExpression &copyNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^qrt-(\\d{8})\\.db$"));
    return pattern;
}

} // namespace

BackupFolder::BackupFolder(const QString &registerPath)
    : m_path(QFileInfo(registerPath).absoluteDir().filePath(QLatin1String(kFolderName)))
{
}

QString BackupFolder::copyPathFor(const QDate &day) const
{
    return QDir(m_path).filePath(QStringLiteral("qrt-%1.db").arg(day.toString(QStringLiteral("yyyyMMdd"))));
}

QString BackupFolder::beforeRestorePathFor(const QDateTime &moment) const
{
    return QDir(m_path).filePath(
        QStringLiteral("qrt-geri-yukleme-oncesi-%1.db").arg(moment.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

std::optional<QDate> BackupFolder::dayOfCopy(const QString &fileName)
{
    const QRegularExpressionMatch match = copyNamePattern().match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd"));
    if (!day.isValid())
        return std::nullopt;
    return day;
}

QList<BackupCopy> BackupFolder::copies() const
{
    QList<BackupCopy> found;
    const QFileInfoList files = QDir(m_path).entryInfoList({QStringLiteral("qrt-*.db")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QFileInfo &file : files) {
        if (const std::optional<QDate> day = dayOfCopy(file.fileName()))
            found.append(BackupCopy{*day, file.absoluteFilePath(), file.size()});
    }
    return found;
}

void BackupFolder::prepare() const
{
    QDir dir(m_path);
    if (!dir.exists() && !QDir().mkpath(m_path))
        throw AppError(QStringLiteral("Yedek klasörü oluşturulamadı: %1 (%2)")
                           .arg(QDir::toNativeSeparators(m_path), qt_error_string(errno)));
    QFile folder(m_path);
    if ((folder.permissions() & kOthersBits) && !folder.setPermissions(kOwnerOnlyFolder))
        throw AppError(QStringLiteral("Yedek klasörünün izinleri daraltılamadı: %1 (%2)")
                           .arg(QDir::toNativeSeparators(m_path), folder.errorString()));
}
