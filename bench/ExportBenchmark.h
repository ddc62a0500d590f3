#pragma once
#include "Measurement.h"

#include <QDate>
#include <QString>
#include <QStringList>

struct BenchOptions;
class SampleDatabaseCache;

// One day's notification export: XmlDosyalariKaydet for today with both folders set, beside the
// shell doing the export's reading twice: once with the per-code guest statement (the facility
// query, then the guest query once for every facility the export writes a file for) and once the
// way the export reads today (the facility query, the one pass over the present guests, then the
// rows of each facility's guests by key), the day, codes and keys written in as literals.
class ExportBenchmark {
public:
    static constexpr const char *kKind = "export";

    // The shell's scripts for the day on this database file (read, never changed).
    static QString perCodeShellScript(const QString &database, const QDate &day);
    static QString onePassShellScript(const QString &database, const QDate &day);

    // Worker side, in the folder of the copy.
    static Measurement measure(const QStringList &arguments);
    static void run(const BenchOptions &options, const SampleDatabaseCache &cache);
};
