#pragma once
#include "Measurement.h"

#include <QString>
#include <QStringList>

// Our side of a comparison runs in a fresh process of this program, so that its peak memory is its
// own and nothing stays cached from the run before: `selvane-bench --worker <kind> <folder> ...`.
// The worker measures inside itself and writes one result line that the parent reads back.
class WorkerProcess {
public:
    static constexpr const char *kSwitch = "--worker";

    // Starts the worker and returns its figures; throws AppError with the worker's own error text.
    static Measurement run(const QString &kind, const QString &folder, const QStringList &arguments);

    // Worker side: the result line on standard output.
    static void report(const Measurement &measurement);
};
