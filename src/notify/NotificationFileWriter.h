#pragma once
#include "notify/IXMLKonaklamaJ.h"

#include <QByteArray>
#include <QString>

class QFile;

// Writes a notification document as the file the official clients read: the XML declaration, the
// hash line and the root's text, in ISO-8859-9, lines separated by CR LF, nothing after the root.
class NotificationFileWriter {
public:
    // The complete content of the file for root, byte for byte.
    static QByteArray fileBytes(const IXMLKonaklamaJ &root);

    // Writes the file at path, replacing a file of that name. The client watches the folder and may
    // pick a file up at any moment, so the content goes to a temporary file beside it first (whose
    // name does not end in ".xml"), is flushed to disk and only then renamed to path. On failure no
    // file appears at path, the temporary file is removed and AppError carries the system's text.
    static void write(const QString &path, const IXMLKonaklamaJ &root);

    // The name under which write() prepares the file at path: path + ".tmp".
    static QString temporaryPathFor(const QString &path);

private:
    static void writeDurably(const QString &path, const QByteArray &bytes);
    static void writeAll(QFile &file, const QByteArray &bytes);
    static void syncToDisk(QFile &file);
    static void renameReplacing(const QString &from, const QString &to);
};
