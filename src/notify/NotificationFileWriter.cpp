#include "notify/NotificationFileWriter.h"

#include "db/AppError.h"
#include "notify/Iso88599Codec.h"
#include "notify/KonaklamaDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char declarationLine[] = "<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>\r\n";

// Our own lead-in for the user, followed by the system's text of the failure.
[[noreturn]] void throwWriteError(const QString &path, const QString &systemText)
{
    throw AppError(u"\"%1\" dosyası yazılamadı: %2"_s.arg(QDir::toNativeSeparators(path), systemText));
}

// A size limit must end a write with an error the run can report, not kill the process.
void ignoreFileSizeSignal()
{
    static const bool ignored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    Q_UNUSED(ignored);
}

// A descriptor closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The file's bytes and the value of its hash line. The hash is taken over the very bytes written
// after the second line break (the root's text, encoded once), so a reader that hashes them gets
// the value of the hash line; it is XmlHash of the root's text.
struct EncodedFile {
    QByteArray bytes;
    QString hash;
};

EncodedFile encodeFile(const IXMLKonaklamaJ &root)
{
    const QByteArray body = Iso88599Codec::encode(root.xml());
    EncodedFile file;
    file.hash = QString::fromLatin1(QCryptographicHash::hash(body, QCryptographicHash::Md5).toHex().toUpper());
    file.bytes.reserve(qsizetype(sizeof declarationLine) + 48 + body.size());
    file.bytes += declarationLine;
    file.bytes += "<?hash ";
    file.bytes += file.hash.toLatin1();
    file.bytes += "?>\r\n";
    file.bytes += body;
    return file;
}

} // namespace

QByteArray NotificationFileWriter::fileBytes(const IXMLKonaklamaJ &root)
{
    return encodeFile(root).bytes;
}

NotificationFileWriter::WrittenFile NotificationFileWriter::write(const PathChooser &pathAt,
                                                                  const IXMLKonaklamaJ &root, FolderFlush flush)
{
    ignoreFileSizeSignal();
    const EncodedFile encoded = encodeFile(root);
    const QByteArray &bytes = encoded.bytes;
    const QString firstPath = pathAt(0);
    const QString temporaryPath = temporaryPathFor(firstPath);
    QString finalPath = firstPath;
    try {
        writeDurably(temporaryPath, bytes);
        finalPath = moveToFreeName(temporaryPath, pathAt);
        if (flush == FolderFlush::EachFile)
            syncFolderOf(finalPath);
    } catch (const AppError &error) {
        QFile::remove(temporaryPath);
        throwWriteError(finalPath, error.message());
    }
    return {finalPath, encoded.hash};
}

NotificationFileWriter::WrittenFile NotificationFileWriter::write(const QString &path, const IXMLKonaklamaJ &root)
{
    return write([path](int attempt) { return attempt == 0 ? path : QString(); }, root);
}

QString NotificationFileWriter::temporaryPathFor(const QString &path)
{
    return path + u".tmp"_s;
}

bool NotificationFileWriter::isOwnTemporaryName(const QString &fileName)
{
    // The export's names: moment, "T", code, region, writing time, ".xml"; then ".tmp".
    static const QRegularExpression pattern(u"^\\d{8}_\\d{6}T-?\\d+[A-Za-z ]{0,2}\\d{8}_\\d{6}\\.xml\\.tmp$"_s);
    return pattern.match(fileName).hasMatch();
}

QStringList NotificationFileWriter::removeStaleTemporaryFiles(const QString &folder)
{
    QStringList failures;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isOwnTemporaryName(name))
            continue;
        QFile stale(dir.filePath(name));
        if (!stale.remove())
            failures << u"\"%1\" geçici dosyası silinemedi: %2"_s.arg(QDir::toNativeSeparators(stale.fileName()),
                                                                     stale.errorString());
    }
    return failures;
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

QString NotificationFileWriter::moveToFreeName(const QString &from, const PathChooser &pathAt)
{
    for (int attempt = 0;; ++attempt) {
        const QString to = pathAt(attempt);
        if (to.isEmpty())
            throw AppError(qt_error_string(EEXIST));
        if (renameWithoutReplacing(from, to))
            return to;
    }
}

// True when moved; false when the name is taken. The move is one step, so the client sees the
// complete file or none, and a file that appeared in the meantime is never overwritten.
bool NotificationFileWriter::renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS)
        throw AppError(qt_error_string(errno));
    // A file system without that kind of move: a hard link fails on an existing name just the same.
    if (::link(source.constData(), target.constData()) == 0) {
        ::unlink(source.constData());
        return true;
    }
    if (errno == EEXIST)
        return false;
    throw AppError(qt_error_string(errno));
}

void NotificationFileWriter::syncFolderOf(const QString &path)
{
    syncFolder(QFileInfo(path).absolutePath());
}

void NotificationFileWriter::syncFolder(const QString &folderPath)
{
    const QByteArray folder = QFile::encodeName(folderPath);
    const FileDescriptor directory(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() < 0)
        throw AppError(qt_error_string(errno));
    // Some file systems cannot flush a folder at all (EINVAL); there is nothing more to do there.
    if (::fsync(directory.get()) != 0 && errno != EINVAL)
        throw AppError(qt_error_string(errno));
}
