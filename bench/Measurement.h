#pragma once
#include <QString>
#include <QVector>

// One timed run of one side: wall time, processor time, peak resident memory and what the run
// produced.
struct Measurement {
    double seconds = 0;
    double cpuSeconds = 0; // user and system; 0 when unknown
    qint64 peakKb = 0;
    qint64 baseKb = 0; // ours: resident before the work started (libraries, the open connection)
    QString note;
};

// All runs of both sides on one database size.
struct ComparisonResult {
    QVector<Measurement> ours;
    QVector<Measurement> shell;
};
