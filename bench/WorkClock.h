#pragma once
#include "Measurement.h"

#include <QElapsedTimer>

// Measures one piece of work inside a worker: wall time, processor time (user and system) and
// the peak resident memory from the moment of construction. Processor time is printed beside
// wall time because on a busy machine the wall time of both sides swings with the load.
class WorkClock {
public:
    WorkClock();
    Measurement stop() const;

private:
    static double cpuSeconds();

    qint64 m_baseKb = 0;
    double m_cpuStart = 0;
    QElapsedTimer m_wall;
};
