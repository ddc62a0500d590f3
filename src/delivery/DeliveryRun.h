#pragma once
#include "delivery/ExportOutcome.h"

#include <QChar>
#include <QDateTime>

// One export run as every caller starts it: the files for the day of the moment, then the
// ledger's rows with the source that asked for the run.
class DeliveryRun {
public:
    // Raises what the export raises when it cannot run (settings, register). A ledger that
    // cannot be written is reported as an error message; it never undoes a file.
    static ExportOutcome run(const QDateTime &moment, QChar source);
};
