#include "instance/InstanceName.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString InstanceName::forRegister(const QString &registerFile)
{
    const QFileInfo file(registerFile);
    // The file may not exist yet (the first start creates it); its directory always does.
    const QString directory = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString path = QDir(directory.isEmpty() ? file.absolutePath() : directory).filePath(file.fileName());
    const QByteArray digest = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex();
    // Short enough for a local socket's path limit (about 100 bytes) below the temporary folder.
    return QStringLiteral("selvane-") + QString::fromLatin1(digest.left(32));
}

QString InstanceName::claimLockPath(const QString &instanceName)
{
    return QDir(QDir::tempPath()).filePath(instanceName + QStringLiteral(".lock"));
}
