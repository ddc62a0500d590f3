#include "privacy/RegisterFileMode.h"

#include "db/Database.h"
#include "privacy/OwnerOnlyFileCreation.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr QFileDevice::Permissions kSharedBits =
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
    | QFileDevice::WriteOther | QFileDevice::ExeOther;

QString octal(QFileDevice::Permissions permissions)
{
    int mode = 0;
    const QFileDevice::Permission bits[] = {QFileDevice::ReadOwner, QFileDevice::WriteOwner, QFileDevice::ExeOwner,
                                            QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup,
                                            QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther};
    for (QFileDevice::Permission bit : bits)
        mode = mode * 2 + (permissions.testFlag(bit) ? 1 : 0);
    return QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0'));
}

// A scheduled run has no window: its standard error is where the notice is kept.
void traceOnStandardError(const QString &notice)
{
    std::fprintf(stderr, "Selvane: %s\n", notice.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

void RegisterFileMode::openOwnerOnly(Database &db, const QString &fileName)
{
    QString notice = narrowIfShared(fileName);
    const QString journalNotice = narrowIfShared(fileName + QStringLiteral("-journal"));
    if (notice.isEmpty())
        notice = journalNotice;
    if (!notice.isEmpty()) {
        pendingNotice() = notice;
        traceOnStandardError(notice);
    }
    const OwnerOnlyFileCreation ownerOnly;
    db.open(fileName);
}

QString RegisterFileMode::narrowIfShared(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!file.exists() || !(file.permissions() & kSharedBits))
        return {};
    const QString before = octal(QFile::permissions(fileName));
    const QString name = file.fileName();
    if (!QFile::setPermissions(fileName, kOwnerOnly)) {
        return QStringLiteral("%1 dosyasını başka kullanıcılar da okuyabiliyor (izinler %2) ve bu izinler "
                              "daraltılamadı. Dosya kişisel veriler içerir; dosyanın sahibi izinleri 0600 yapmalıdır.")
            .arg(name, before);
    }
    return QStringLiteral("%1 dosyasını bu bilgisayardaki başka kullanıcılar da okuyabiliyordu (izinler %2). Dosya "
                          "misafirlerin kimlik bilgilerini içerdiği için artık yalnızca sahibi okuyup yazabilir "
                          "(izinler 0600).")
        .arg(name, before);
}

QString RegisterFileMode::takePendingNotice()
{
    QString notice;
    notice.swap(pendingNotice());
    return notice;
}

QString &RegisterFileMode::pendingNotice()
{
    static QString notice;
    return notice;
}
