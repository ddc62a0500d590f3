#pragma once
#include "SampleSize.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What a benchmark run is asked to do, read from the command line.
struct BenchOptions {
    QStringList benchmarks;  // "startup", "guestlist", "export", "filter", "sort", "returning", "firstscreen"; all when none is named
    int runs = 3;            // runs of each side per size; the median is printed
    QString cacheFolder;     // where the sample databases are kept
    bool smallOnly = false;  // only the 200,000-stay database
    bool largeExport = false; // also the export of the 1,000,000-stay database (slow)

    // The sample databases to measure on: the smaller one, and the larger unless smallOnly.
    QVector<SampleSize> sizes() const;

    static QStringList knownBenchmarks();
    // Reads the arguments (program name first); prints the help and exits for --help. Throws
    // AppError for a bad option.
    static BenchOptions fromArguments(const QStringList &arguments);
};
