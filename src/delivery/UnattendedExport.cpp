#include "delivery/UnattendedExport.h"

#include "db/AppError.h"
#include "notify/XmlKaydet.h"

#include <QDateTime>

int runUnattendedExport(QChar, const std::function<void(const QString &line)> &trace)
{
    try {
        XmlDosyalariKaydet(QDateTime::currentDateTime());
        return 0;
    } catch (const AppError &error) {
        trace(QStringLiteral("Selvane: %1").arg(error.message()));
    } catch (const std::exception &error) {
        trace(QStringLiteral("Selvane: %1").arg(QString::fromUtf8(error.what())));
    }
    return 1;
}
