#include "MeasurementFigures.h"

#include <algorithm>

namespace MeasurementFigures {

double median(const QVector<Measurement> &runs, double Measurement::*figure)
{
    QVector<double> values;
    for (const Measurement &m : runs)
        values << m.*figure;
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at((values.size() - 1) / 2);
}

qint64 highest(const QVector<Measurement> &runs, qint64 Measurement::*figure)
{
    qint64 peak = 0;
    for (const Measurement &m : runs)
        peak = std::max(peak, m.*figure);
    return peak;
}

QString seconds(double value)
{
    return value > 0 ? QString::number(value, 'f', 3) + QStringLiteral(" s") : QStringLiteral("n/a");
}

QString megabytes(qint64 kb)
{
    return kb > 0 ? QString::number(double(kb) / 1024.0, 'f', 1) + QStringLiteral(" MB") : QStringLiteral("n/a");
}

} // namespace MeasurementFigures
