#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// The first screen (first 50 rows) of the four guest lists: "Tümü", "Konaklayanlar", the
// check-out list and the export window's day list. Three figures per list and size: our
// statement for the register (ListStatements) stepped through our Statement class, the sqlite3
// shell running the list's own text with " LIMIT 50", and the shell running our text with
// " LIMIT 50". The register is the sample after one start of the program (its creation script
// has added the last-day index).
class FirstScreenBenchmark {
public:
    static constexpr const char *kKind = "firstscreen";
    static constexpr int kFirstRows = 50;

    // Worker side, in the folder of the copy; arguments: the list's key and the value of :tarih.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
