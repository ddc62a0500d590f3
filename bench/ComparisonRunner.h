#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

// Runs our worker and the sqlite3 shell in turn, each on its own fresh copy of the database,
// a given number of times. Which side goes first alternates from run to run.
class ComparisonRunner {
public:
    explicit ComparisonRunner(int runs) : m_runs(runs) {}

    ComparisonResult compare(const QString &database, const QString &workerKind,
                             const QStringList &workerArguments, const QString &shellScript) const;

private:
    int m_runs;
};
