#include "returning/ReturningGuestLookup.h"

#include "db/Statement.h"
#include "privacy/StayErasure.h"

#include <QHash>

namespace {

// Each key has an index of its own (TCNO_index, KIMLIKSERINO_index), so each look-up reads
// only the stays of the one person.
const char *const kSelect =
    "SELECT MISAFIR.*, TESISLER.TESISADI AS ONCEKI_TESISADI, ODAEV.ODAEVNO AS ONCEKI_ODAEVNO FROM MISAFIR "
    "LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV "
    "LEFT JOIN TESISLER ON TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE ";
const char *const kByTcNo = "MISAFIR.TCNO=:tcno";
const char *const kBySerial = "MISAFIR.KIMLIKSERINO=:seri AND MISAFIR.UYRUGU=:uyruk";
const char *const kMostRecent = " ORDER BY MISAFIR.GELISTARIH DESC, MISAFIR.IDMISAFIR DESC LIMIT 1";

QVariant typed(const QString &column, const QVariant &stored)
{
    if (column == QLatin1String("DOGUMTARIHI") && stored.typeId() == QMetaType::QString)
        return QDate::fromString(stored.toString().left(10), Qt::ISODate);
    return stored;
}

std::optional<ReturningGuestLookup::PreviousStay> mostRecent(Database &db, bool byTcNo, const QVariantMap &params)
{
    Statement statement(db, ReturningGuestLookup::statement(byTcNo));
    statement.bindAll(params);
    if (!statement.step())
        return std::nullopt;
    QHash<QString, QVariant> row;
    for (int column = 0; column < statement.columnCount(); ++column)
        row.insert(statement.columnName(column).toUpper(), statement.columnValue(column));
    ReturningGuestLookup::PreviousStay stay;
    stay.id = row.value(QStringLiteral("IDMISAFIR")).toLongLong();
    stay.arrival = QDate::fromString(row.value(QStringLiteral("GELISTARIH")).toString().left(10), Qt::ISODate);
    stay.facility = row.value(QStringLiteral("ONCEKI_TESISADI")).toString();
    stay.room = row.value(QStringLiteral("ONCEKI_ODAEVNO")).toString();
    for (const QString &column : ReturningGuestLookup::broughtColumns()) {
        const QVariant stored = row.value(column);
        if (!stored.isNull())
            stay.values.insert(column, typed(column, stored));
    }
    return stay;
}

bool later(const ReturningGuestLookup::PreviousStay &a, const ReturningGuestLookup::PreviousStay &b)
{
    return a.arrival != b.arrival ? a.arrival > b.arrival : a.id > b.id;
}

} // namespace

const QStringList &ReturningGuestLookup::broughtColumns()
{
    static const QStringList columns{
        QStringLiteral("KIMLIKTURU"),     QStringLiteral("KIMLIKSERINO"),   QStringLiteral("UYRUGU"),
        QStringLiteral("TCNO"),           QStringLiteral("ADI"),            QStringLiteral("SOYADI"),
        QStringLiteral("BABAADI"),        QStringLiteral("ANAADI"),         QStringLiteral("CINSIYET"),
        QStringLiteral("MEDENIDURUM"),    QStringLiteral("DOGUMYERI"),      QStringLiteral("DOGUMTARIHI"),
        QStringLiteral("NUFUSKAYITIL"),   QStringLiteral("NUFUSKAYITILCE"), QStringLiteral("NUFUSKAYITMAH"),
        QStringLiteral("NUFUSCILT"),      QStringLiteral("NUFUSAILESIRANO"), QStringLiteral("NUFUSSIRANO"),
        QStringLiteral("IKAMETADRESI"),   QStringLiteral("MESLEGI"),        QStringLiteral("ARACPLAKANO"),
    };
    return columns;
}

std::optional<ReturningGuestLookup::PreviousStay> ReturningGuestLookup::find(Database &db, const PersonKey &key)
{
    std::optional<PreviousStay> found;
    if (key.hasTcNo())
        found = mostRecent(db, true, {{QStringLiteral("tcno"), qint64(key.tcNo)}});
    if (key.hasSerial()) {
        auto bySerial = mostRecent(db, false, {{QStringLiteral("seri"), key.serial},
                                                   {QStringLiteral("uyruk"), key.nationality}});
        if (bySerial && (!found || later(*bySerial, *found)))
            found = std::move(bySerial);
    }
    return found;
}

QString ReturningGuestLookup::statement(bool byTcNo)
{
    // An erased stay keeps no identity worth bringing back.
    return QLatin1String(kSelect) + QLatin1String(byTcNo ? kByTcNo : kBySerial) + QStringLiteral(" AND ")
        + QLatin1String(StayErasure::kNotErasedCondition) + QLatin1String(kMostRecent);
}

QString ReturningGuestLookup::notice(const PreviousStay &stay)
{
    QString where = stay.facility;
    if (!stay.room.isEmpty())
        where += QStringLiteral(" / ") + stay.room;
    return QStringLiteral("Bu kişi daha önce konakladı: son geliş %1, %2")
        .arg(stay.arrival.toString(QStringLiteral("dd.MM.yyyy")), where);
}
