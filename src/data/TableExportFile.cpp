#include "data/TableExportFile.h"

#include "db/AppError.h"

#include <QDir>

TableExportFile::TableExportFile(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw AppError(failure(m_file.fileName(), m_file.errorString()));
}

void TableExportFile::write(const QByteArray &bytes)
{
    if (m_file.write(bytes) != bytes.size())
        throw AppError(failure(m_file.fileName(), m_file.errorString()));
}

void TableExportFile::commit()
{
    if (!m_file.commit())
        throw AppError(failure(m_file.fileName(), m_file.errorString()));
}

QString TableExportFile::failure(const QString &path, const QString &reason)
{
    return QStringLiteral("'%1' dosyası yazılamadı: %2").arg(QDir::toNativeSeparators(path), reason);
}
