#include "notify/NotificationFileWriter.h"

#include "db/AppError.h"
#include "notify/Iso88599Codec.h"
#include "notify/KonaklamaDocument.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char declarationLine[] = "<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>\r\n";

// Our own lead-in for the user, followed by the system's text of the failure.
[[noreturn]] void throwWriteError(const QString &path, const QString &systemText)
{
    throw AppError(u"\"%1\" dosyası yazılamadı: %2"_s.arg(QDir::toNativeSeparators(path), systemText));
}

} // namespace

QByteArray NotificationFileWriter::fileBytes(const IXMLKonaklamaJ &root)
{
    // The hash and the body come from the same text through the same encoder, so a reader that
    // hashes everything after the second line break gets the value of the hash line.
    const QString text = root.xml();
    QByteArray bytes = declarationLine;
    bytes += "<?hash ";
    bytes += XmlHash(text).toLatin1();
    bytes += "?>\r\n";
    bytes += Iso88599Codec::encode(text);
    return bytes;
}

void NotificationFileWriter::write(const QString &path, const IXMLKonaklamaJ &root)
{
    const QByteArray bytes = fileBytes(root);
    const QString temporaryPath = temporaryPathFor(path);
    try {
        writeDurably(temporaryPath, bytes);
        renameReplacing(temporaryPath, path);
    } catch (const AppError &error) {
        QFile::remove(temporaryPath);
        throwWriteError(path, error.message());
    }
}

QString NotificationFileWriter::temporaryPathFor(const QString &path)
{
    return path + u".tmp"_s;
}

// The helpers below throw AppError with the bare system text; write() adds the file name.
void NotificationFileWriter::writeDurably(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw AppError(file.errorString());
    writeAll(file, bytes);
    syncToDisk(file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw AppError(file.errorString());
}

void NotificationFileWriter::writeAll(QFile &file, const QByteArray &bytes)
{
    // A short write is retried, so that a full disk or a size limit surfaces as the system's error.
    qsizetype written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            throw AppError(file.errorString());
        written += count;
    }
}

void NotificationFileWriter::syncToDisk(QFile &file)
{
    if (::fsync(file.handle()) != 0)
        throw AppError(qt_error_string(errno));
}

void NotificationFileWriter::renameReplacing(const QString &from, const QString &to)
{
    // rename(2) replaces an existing target in one step, so the client sees either the old file
    // or the complete new one. QFile::rename would refuse an existing target.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw AppError(qt_error_string(errno));
}
