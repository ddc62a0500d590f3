#pragma once
#include <QDate>
#include <QString>

// One daily copy of the register in the backup folder.
struct BackupCopy {
    QDate day;
    QString path;
    qint64 size = 0;
};
