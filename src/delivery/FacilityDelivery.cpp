#include "delivery/FacilityDelivery.h"

#include <QStringList>

QString FacilityDelivery::explanation() const
{
    QStringList parts;
    if (!reason.isEmpty())
        parts << reason;
    for (const LeftOutGuest &guest : leftOut)
        parts << guest.report();
    return parts.join(QLatin1Char(' '));
}
