#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// The guest list: time and memory until the first 50 rows of its statement are loaded through
// the dataset layer, beside the shell running the same statement with " LIMIT 50" appended.
// Both choices of "Göster" are measured: "Tümü" and "Konaklayanlar".
class GuestListBenchmark {
public:
    static constexpr const char *kKind = "guestlist";
    static constexpr int kFirstRows = 50;

    // The guest list's statement with its macros "&staticfilter", "&filter" and "&having".
    static QString statement();
    // The statement with its macros replaced for the choice: "all" ("Tümü") or "present"
    // ("Konaklayanlar").
    static QString expandedStatement(const QString &choice);

    // Worker side, in the folder of the copy; arguments: the choice.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
