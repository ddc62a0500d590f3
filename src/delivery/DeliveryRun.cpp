#include "delivery/DeliveryRun.h"

#include "data/Tdm1.h"
#include "db/AppError.h"
#include "delivery/NotificationLedger.h"
#include "gen/TransientMessage.h"
#include "notify/XmlKaydet.h"

ExportOutcome DeliveryRun::run(const QDateTime &moment, QChar source)
{
    ExportOutcome outcome = XmlDosyalariKaydet(moment);
    try {
        if (!dm1)
            throw AppError(QStringLiteral("Database is not open"));
        NotificationLedger::instance().record(*dm1->dbMain(), outcome, source);
    } catch (const std::exception &error) {
        const auto *appError = dynamic_cast<const AppError *>(&error);
        mesajGoster(QStringLiteral("Bildirim geçmişi yazılamadı: %1")
                        .arg(appError ? appError->message() : QString::fromUtf8(error.what())),
                    QStringLiteral("tip=error,delay=2000"));
    }
    return outcome;
}
