#pragma once
#include "backup/BackupCopy.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The folder "yedek" beside the register, which holds one copy per day (qrt-YYYYMMDD.db) and the
// registers that a restore put aside (qrt-geri-yukleme-oncesi-<time>.db). The copies hold
// identity data, so the folder is the owner's alone.
class BackupFolder {
public:
    static constexpr const char *kFolderName = "yedek";

    explicit BackupFolder(const QString &registerPath);

    QString path() const { return m_path; }
    QString copyPathFor(const QDate &day) const;
    QString beforeRestorePathFor(const QDateTime &moment) const;
    // The day of a daily copy's file name; nothing for any other name.
    static std::optional<QDate> dayOfCopy(const QString &fileName);
    // The daily copies, newest first.
    QList<BackupCopy> copies() const;

    // Creates the folder owner-only, or narrows one found wider. Throws AppError.
    void prepare() const;

private:
    QString m_path;
};
