#include "ScratchCopy.h"

#include "db/AppError.h"

#include <QDir>
#include <QFile>

ScratchCopy::ScratchCopy(const QString &database)
    : m_dir(QDir::tempPath() + QStringLiteral("/selvane-bench-run-XXXXXX"))
{
    if (!m_dir.isValid())
        throw AppError(QStringLiteral("Temporary folder: %1").arg(m_dir.errorString()));
    QFile source(database);
    if (!source.copy(m_dir.filePath(QStringLiteral("qrt.db"))))
        throw AppError(QStringLiteral("Copying %1: %2").arg(database, source.errorString()));
}
