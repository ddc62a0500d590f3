#pragma once
#include "notify/IXMLKonaklamaJ.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QFile;

// Writes a notification document as the file the official clients read: the XML declaration, the
// hash line and the root's text, in ISO-8859-9, lines separated by CR LF, nothing after the root.
class NotificationFileWriter {
public:
    // Where a file ended up and the value of its hash line.
    struct WrittenFile {
        QString path;
        QString hash;
    };

    // The name to try at each attempt (0, 1, 2, ...); an empty text when there is none left.
    using PathChooser = std::function<QString(int attempt)>;

    // The complete content of the file for root, byte for byte.
    static QByteArray fileBytes(const IXMLKonaklamaJ &root);

    // Whether write() flushes the folder after the move, or leaves it to the caller, who moves
    // several files into the folder and flushes it once (syncFolder) before reporting any of them.
    enum class FolderFlush { EachFile, ByCaller };

    // Writes the file under the first name that does not exist yet; a file already there is
    // never replaced. The client watches the folder and may pick a file up at any moment, so the
    // content goes to a temporary file beside the first name (see temporaryPathFor), is flushed
    // to disk, moved to its name and the folder is flushed as well, so that a file reported as
    // written survives a power cut. On failure no file appears, the temporary file is removed
    // and AppError carries the system's text.
    static WrittenFile write(const PathChooser &pathAt, const IXMLKonaklamaJ &root,
                             FolderFlush flush = FolderFlush::EachFile);
    // Flushes the names moved into folder to disk. Throws AppError with the system's text.
    static void syncFolder(const QString &folder);
    // The same with one name only.
    static WrittenFile write(const QString &path, const IXMLKonaklamaJ &root);

    // The name under which write() prepares the file at path: path + ".tmp".
    static QString temporaryPathFor(const QString &path);
    // Whether a file name is one of the temporary names this writer uses for notification files.
    static bool isOwnTemporaryName(const QString &fileName);
    // Removes the temporary files a run that was killed left in folder (only names of our own
    // pattern). Returns the messages of those that could not be removed.
    static QStringList removeStaleTemporaryFiles(const QString &folder);

private:
    static void writeDurably(const QString &path, const QByteArray &bytes);
    static void writeAll(QFile &file, const QByteArray &bytes);
    static void syncToDisk(QFile &file);
    static QString moveToFreeName(const QString &from, const PathChooser &pathAt);
    static bool renameWithoutReplacing(const QString &from, const QString &to);
    static void syncFolderOf(const QString &path);
};
