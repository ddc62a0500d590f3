#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// A filter change on the guest list "Tümü": with the list open on its first rows, the filter cells
// are translated through the field set "MISAFIR" and the query is opened again; timed until the
// first 50 rows (or all, when fewer match) are loaded. Beside it the shell runs the statement with
// the texts our translation produced and " LIMIT 50". Three changes are measured: a name, a name
// with an "i", and a surname with an arrival date range; each once with the connection's page
// cache as the open list left it and once released before the change.
class FilterChangeBenchmark {
public:
    static constexpr const char *kKind = "filter";
    static constexpr int kFirstRows = 50;

    // The guest list's statement after the change ("name", "name-i" or "surname-date"): its
    // macros replaced by what the translation gives under the Turkish locale.
    static QString expandedStatement(const QString &change);

    // Worker side, in the folder of the copy; arguments: the change, and "kept" or "released" for
    // the connection's page cache.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
