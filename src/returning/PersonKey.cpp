#include "returning/PersonKey.h"

#include "db/Field.h"
#include "db/Query.h"
#include "gen/KimlikNo.h"

namespace {

QString textOf(const Query &row, const char *name)
{
    const Field *field = row.findField(QLatin1String(name));
    return field ? field->asString() : QString();
}

} // namespace

PersonKey PersonKey::of(const Query &row)
{
    PersonKey key;
    bool number = false;
    const quint64 tcNo = textOf(row, "TCNO").toULongLong(&number);
    if (number && tcKimlikNoGecerli(tcNo))
        key.tcNo = tcNo;
    const QString serial = textOf(row, "KIMLIKSERINO").trimmed();
    const QString nationality = textOf(row, "UYRUGU").trimmed();
    if (!serial.isEmpty() && !nationality.isEmpty()) {
        key.serial = serial;
        key.nationality = nationality;
    }
    return key;
}
