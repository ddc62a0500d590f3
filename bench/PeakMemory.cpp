#include "PeakMemory.h"

#include "db/AppError.h"

#include <QFile>
#include <QRegularExpression>

#include <malloc.h>

namespace PeakMemory {

namespace {

qint64 statusKb(const QString &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        throw AppError(QStringLiteral("/proc/self/status: %1").arg(status.errorString()));
    const QRegularExpression line(QStringLiteral("^%1:\\s*(\\d+)\\s*kB").arg(key), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
    if (!match.hasMatch())
        throw AppError(QStringLiteral("%1 missing from /proc/self/status").arg(key));
    return match.captured(1).toLongLong();
}

} // namespace

qint64 residentKb()
{
    return statusKb(QStringLiteral("VmHWM"));
}

qint64 currentKb()
{
    return statusKb(QStringLiteral("VmRSS"));
}

qint64 restart()
{
    malloc_trim(0);
    // "5" resets the peak resident size to the current one (Linux 4.0 and later).
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        throw AppError(QStringLiteral("/proc/self/clear_refs: %1").arg(clearRefs.errorString()));
    return currentKb();
}

} // namespace PeakMemory
