#include "returning/PresentTwiceCheck.h"

#include "db/Field.h"
#include "db/Query.h"
#include "db/Statement.h"
#include "forms/MessageBoxes.h"

#include <QHash>
#include <QStringList>

namespace {

// Open-ended stays reach this far.
const char *const kNoEnd = "9999-12-31";

// Another stay is present on one of the days [:bas, :son] when it starts on or before the
// last of them and its own last day (the day before it leaves, the arrival day at least) is on
// or after the first of them.
const char *const kOverlapSql =
    "SELECT MISAFIR.IDMISAFIR, MISAFIR.GELISTARIH, MISAFIR.AYRILISTARIH, TESISLER.TESISADI, ODAEV.ODAEVNO "
    "FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV "
    "LEFT JOIN TESISLER ON TESISLER.IDTESISLER=ODAEV._IDTESISLER "
    "WHERE (%1) AND MISAFIR.IDMISAFIR<>:haric AND MISAFIR.GELISTARIH<=:son "
    "AND COALESCE(MAX(MISAFIR.GELISTARIH, DATE(MISAFIR.AYRILISTARIH,'-1 day')),'9999-12-31')>=:bas "
    "ORDER BY MISAFIR.GELISTARIH DESC, MISAFIR.IDMISAFIR DESC LIMIT 1";

QDate storedDate(const QVariant &stored)
{
    return stored.isNull() ? QDate() : QDate::fromString(stored.toString().left(10), Qt::ISODate);
}

QDate lastDay(const QDate &arrival, const QDate &departure)
{
    if (!departure.isValid())
        return QDate::fromString(QLatin1String(kNoEnd), Qt::ISODate);
    return std::max(arrival, departure.addDays(-1));
}

bool personOrDatesChanged(const Query &row)
{
    if (row.state() != Query::State::Edit)
        return true;
    for (const char *name : {"TCNO", "KIMLIKSERINO", "UYRUGU", "GELISTARIH", "AYRILISTARIH"}) {
        const Field *field = row.findField(QLatin1String(name));
        if (field && row.isFieldModified(*field))
            return true;
    }
    return false;
}

} // namespace

std::optional<PresentTwiceCheck::OtherStay> PresentTwiceCheck::find(Database &db, const PersonKey &key,
                                                                    const QDate &arrival, const QDate &departure,
                                                                    qint64 exceptId)
{
    if (key.isEmpty() || !arrival.isValid())
        return std::nullopt;
    QStringList matches;
    if (key.hasTcNo())
        matches << QStringLiteral("MISAFIR.TCNO=:tcno");
    if (key.hasSerial())
        matches << QStringLiteral("(MISAFIR.KIMLIKSERINO=:seri AND MISAFIR.UYRUGU=:uyruk)");
    Statement statement(db, QString::fromLatin1(kOverlapSql).arg(matches.join(QStringLiteral(" OR "))));
    statement.bindAll({{QStringLiteral("tcno"), qint64(key.tcNo)},
                       {QStringLiteral("seri"), key.serial},
                       {QStringLiteral("uyruk"), key.nationality},
                       {QStringLiteral("haric"), exceptId},
                       {QStringLiteral("bas"), arrival},
                       {QStringLiteral("son"), lastDay(arrival, departure)}});
    if (!statement.step())
        return std::nullopt;
    OtherStay other;
    other.id = statement.columnValue(0).toLongLong();
    other.arrival = storedDate(statement.columnValue(1));
    other.departure = storedDate(statement.columnValue(2));
    other.facility = statement.columnValue(3).toString();
    other.room = statement.columnValue(4).toString();
    return other;
}

QString PresentTwiceCheck::question(const OtherStay &other)
{
    const QString format = QStringLiteral("dd.MM.yyyy");
    const QString departure = other.departure.isValid() ? QStringLiteral("ayrılış %1").arg(other.departure.toString(format))
                                                        : QStringLiteral("ayrılışı girilmemiş");
    QString where = other.facility;
    if (!other.room.isEmpty())
        where += QStringLiteral(" / ") + other.room;
    return QStringLiteral("Bu kişi aynı günlerde başka bir konaklamada da kayıtlı: %1, geliş %2, %3.\n\n"
                          "Yine de kaydedilsin mi?")
        .arg(where, other.arrival.toString(format), departure);
}

bool PresentTwiceCheck::allowSave(Query &row, QWidget *parent)
{
    if (!personOrDatesChanged(row))
        return true;
    const Field *id = row.findField(QStringLiteral("IDMISAFIR"));
    const qint64 exceptId = id && !id->isNull() ? id->asLargeInt() : -1;
    const Field &arrival = row.fieldByName(QStringLiteral("GELISTARIH"));
    const Field &departure = row.fieldByName(QStringLiteral("AYRILISTARIH"));
    const auto other = find(*row.database(), PersonKey::of(row), arrival.asDate(), departure.asDate(), exceptId);
    return !other || MessageBoxes::confirm(parent, question(*other));
}
