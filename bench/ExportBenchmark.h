#pragma once
#include "Measurement.h"

#include <QDate>
#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// One day's notification export: XmlDosyalariKaydet for today with both folders set, beside the
// shell running the facility query and then the guest query once for every facility the export
// writes a file for, with the day and the facility code written in as literals.
class ExportBenchmark {
public:
    static constexpr const char *kKind = "export";

    // The shell's script for the day on this database file (read, never changed).
    static QString shellScript(const QString &database, const QDate &day);

    // Worker side, in the folder of the copy.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
