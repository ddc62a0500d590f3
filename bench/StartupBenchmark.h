#pragma once
#include "Measurement.h"

#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// Start-up of the data module: constructing Tdm1 in a folder holding qrt.db (connection settings,
// creation script with its VACUUM, lookup queries), beside the shell running the same settings and
// VACUUM on the same file.
class StartupBenchmark {
public:
    static constexpr const char *kKind = "startup";

    // Worker side, in the folder of the copy.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
