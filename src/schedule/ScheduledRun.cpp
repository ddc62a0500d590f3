#include "schedule/ScheduledRun.h"

#include <QCryptographicHash>
#include <QDir>

ScheduledRun::ScheduledRun(const QString &folder, const QString &program)
    : m_folder(QDir::cleanPath(QDir(folder).absolutePath())), m_program(program)
{
}

QString ScheduledRun::id() const
{
    return QString::fromLatin1(QCryptographicHash::hash(m_folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
}
