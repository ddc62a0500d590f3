#pragma once
#include "delivery/FacilityDelivery.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The outcome of one export run, facility by facility, and what a scheduler and the operator
// are told about it.
class ExportOutcome {
public:
    // Exit statuses of an unattended run.
    static constexpr int kAllDelivered = 0;
    static constexpr int kCouldNotRun = 1;
    static constexpr int kPartlyDelivered = 2;

    QDateTime startedAt; // when the run began
    QDateTime moment;    // the moment exported (its day selects the guests)
    bool ran = false;    // false: the settings or the register stopped the run before any facility
    QString failure;     // why it did not run
    QList<FacilityDelivery> facilities;

    int filesWritten() const;
    int guestsWritten() const;
    int guestsLeftOut() const;
    // Every active facility got its file and no present guest was left out.
    bool allDelivered() const;

    // 0 all delivered, 2 ran with a facility without file or a guest left out, 1 did not run.
    int exitStatus() const;

    // The last line of a run's trace, in Turkish.
    QString summaryLine() const;
    // The export window's closing box: one line per facility, the file and its guests or the
    // reason and who was left out.
    QString summaryText() const;
};
