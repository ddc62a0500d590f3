#pragma once
#include <QSaveFile>
#include <QString>

class QIODevice;

// A file an export writes: it replaces the old file only once it is complete, and its failures
// carry the system's own text with the file's name.
class TableExportFile {
public:
    // Throws AppError when the file cannot be created.
    explicit TableExportFile(const QString &path);

    QIODevice *device() { return &m_file; }
    void write(const QByteArray &bytes);
    void commit();
    // The message of a failed export of a file, with the reason given.
    static QString failure(const QString &path, const QString &reason);

private:
    QSaveFile m_file;
};
