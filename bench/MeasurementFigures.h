#pragma once
#include "Measurement.h"

#include <QString>
#include <QVector>

// The figures the benchmark tables print from a series of runs.
namespace MeasurementFigures {

// The middle value of one figure; with an even count the lower of the two middle ones.
double median(const QVector<Measurement> &runs, double Measurement::*figure);
// The highest value of one figure (0 for no runs).
qint64 highest(const QVector<Measurement> &runs, qint64 Measurement::*figure);
// "1.234 s", or "n/a" when the figure is unknown (0).
QString seconds(double value);
// "12.3 MB" from kB, or "n/a" when the figure is unknown (0).
QString megabytes(qint64 kb);

} // namespace MeasurementFigures
