#include "delivery/UnattendedExport.h"

#include "db/AppError.h"
#include "delivery/DeliveryRun.h"
#include "gen/TransientMessage.h"

#include <QDateTime>

int runUnattendedExport(QChar source, const std::function<void(const QString &line)> &trace)
{
    // The messages of the run reach the trace wherever the run happens; on screen they show as
    // usual.
    const ScopedMesajGosterTraceSink messagesToTrace(trace);
    ExportOutcome outcome;
    try {
        outcome = DeliveryRun::run(QDateTime::currentDateTime(), source);
    } catch (const std::exception &error) {
        const auto *appError = dynamic_cast<const AppError *>(&error);
        outcome.ran = false;
        outcome.failure = appError ? appError->message() : QString::fromUtf8(error.what());
        trace(QStringLiteral("Selvane: %1").arg(outcome.failure));
    }
    trace(outcome.summaryLine());
    return outcome.exitStatus();
}
