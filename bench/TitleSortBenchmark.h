#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// A click on a column title of the guest list "Tümü": with the list open on its first screen, the
// query is ordered by the column, which loads and sorts every stay. Beside it the shell runs the
// list's statement ordered by the same column (ties in the list's own order) and writes every row.
// A surname (text, compared as the user's language sorts) and the arrival date are measured.
class TitleSortBenchmark {
public:
    static constexpr const char *kKind = "sort";
    static constexpr double kAimSeconds = 3.0;

    // The "Tümü" statement ordered by the column first, then by the list's own order.
    static QString shellStatement(const QString &column);

    // Worker side, in the folder of the copy; arguments: the column name.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
