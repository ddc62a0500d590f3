#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// The returning-guest look-up of the entry window: ReturningGuestLookup::find for a person in the
// middle of the register, once by TC number and once by serial number with nationality. Beside
// it the shell runs the same statement with the values written in. Aim: under 20 ms at
// 1,000,000 stays, the person indexes (TCNO_index, KIMLIKSERINO_index) in place as the creation
// script leaves them.
class ReturningGuestBenchmark {
public:
    static constexpr const char *kKind = "returning";

    // Worker side, in the folder of the copy; arguments: "tc" and the number, or "serial", the
    // serial number and the nationality code.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
