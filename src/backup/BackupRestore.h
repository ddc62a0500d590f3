#pragma once
#include <QDateTime>
#include <QString>
#include <functional>

// Puts a daily copy in place of the register. The register in use is kept in the backup folder
// as qrt-geri-yukleme-oncesi-<time>.db, so that a restore can itself be undone.
class BackupRestore {
public:
    // Throws AppError when the copy is not a sound database; nothing has changed then.
    static void checkCopy(const QString &copyPath);

    // Moves the register (and a journal left beside it) aside and copies `copyPath` into its
    // place; then lets recorded changes be applied again. The caller has closed its connection
    // to the register first. On failure the register is put back and AppError is thrown.
    // Returns where the previous register was kept (empty when there was none).
    static QString putInPlace(const QString &registerPath, const QString &copyPath, const QDateTime &moment);

private:
    static QString moveRegisterAside(const QString &registerPath, const QString &keptPath);
    static void copyIntoPlace(const QString &copyPath, const QString &registerPath);
};
