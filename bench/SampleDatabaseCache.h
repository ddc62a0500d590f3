#pragma once
#include "SampleSize.h"

#include <QString>

// The sample databases the benchmarks run on, made by the sample-data generator once and kept
// in a folder (by default /tmp/selvane-bench). The day the data is built around is today, so a
// file of an earlier day is not reused: the present guests and the export depend on the day.
class SampleDatabaseCache {
public:
    static QString defaultFolder() { return QStringLiteral("/tmp/selvane-bench"); }

    explicit SampleDatabaseCache(QString folder) : m_folder(std::move(folder)) {}

    // The path of the file of this size, generated first when missing.
    QString database(const SampleSize &size) const;

    // A copy of a cached file changed by a statement, kept beside it under the name with the
    // suffix; made first when missing.
    QString variant(const QString &database, const QString &suffix, const QString &sql) const;

private:
    QString fileName(const SampleSize &size) const;

    QString m_folder;
};
