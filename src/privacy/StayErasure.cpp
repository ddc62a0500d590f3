#include "privacy/StayErasure.h"

#include "db/Database.h"
#include "privacy/ScrubbingScope.h"

#include <QDateTime>
#include <QStringList>

const QString StayErasure::kErasedText = QStringLiteral("SİLİNDİ");

namespace {

enum class Replacement { Empty, Text, Date };

struct ErasedColumn {
    const char *name;
    Replacement replacement;
};

// The required columns keep a fixed text or date, so that the row still satisfies the schema.
constexpr ErasedColumn kErasedColumns[] = {
    {"KIMLIKSERINO", Replacement::Text},  {"TCNO", Replacement::Empty},
    {"ADI", Replacement::Text},           {"SOYADI", Replacement::Text},
    {"BABAADI", Replacement::Empty},      {"ANAADI", Replacement::Empty},
    {"DOGUMYERI", Replacement::Text},     {"DOGUMTARIHI", Replacement::Date},
    {"NUFUSKAYITIL", Replacement::Empty}, {"NUFUSKAYITILCE", Replacement::Empty},
    {"NUFUSKAYITMAH", Replacement::Empty}, {"NUFUSCILT", Replacement::Empty},
    {"NUFUSAILESIRANO", Replacement::Empty}, {"NUFUSSIRANO", Replacement::Empty},
    {"IKAMETADRESI", Replacement::Text},  {"MESLEGI", Replacement::Empty},
    {"ARACPLAKANO", Replacement::Empty},  {"NOTLAR", Replacement::Empty},
};

QString valueOf(Replacement replacement)
{
    switch (replacement) {
    case Replacement::Text:
        return QStringLiteral("'%1'").arg(StayErasure::kErasedText);
    case Replacement::Date:
        return QStringLiteral("'%1'").arg(QLatin1String(StayErasure::kErasedDate));
    case Replacement::Empty:
        break;
    }
    return QStringLiteral("NULL");
}

} // namespace

QString StayErasure::anonymiseStatement()
{
    QStringList assignments;
    for (const ErasedColumn &column : kErasedColumns)
        assignments << QLatin1String(column.name) + QLatin1Char('=') + valueOf(column.replacement);
    return QStringLiteral("UPDATE MISAFIR SET %1 WHERE IDMISAFIR=:id").arg(assignments.join(QLatin1Char(',')));
}

QString StayErasure::recordMoment()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QList<qint64> StayErasure::erase(Database &db, const QList<qint64> &stayIds, QChar reason, const QDate &today)
{
    const QString erasable = QStringLiteral("SELECT count(*) FROM MISAFIR WHERE IDMISAFIR=:id AND %1 AND %2")
                                 .arg(QLatin1String(kEndedCondition), QLatin1String(kNotErasedCondition));
    const QString anonymise = anonymiseStatement();
    const QString record = QStringLiteral("INSERT INTO SILINENLER(_IDMISAFIR,TARIH,NEDEN) VALUES(:id,:tarih,:neden)");
    const QString moment = recordMoment();
    const QString day = today.toString(Qt::ISODate);

    ScrubbingScope scrubbing(db);
    QList<qint64> erased;
    db.beginTransaction();
    try {
        for (qint64 id : stayIds) {
            if (db.scalar(erasable, {{QStringLiteral("id"), id}, {QStringLiteral("bugun"), day}}).toInt() == 0)
                continue;
            db.execute(anonymise, {{QStringLiteral("id"), id}});
            db.execute(record, {{QStringLiteral("id"), id}, {QStringLiteral("tarih"), moment},
                                {QStringLiteral("neden"), QString(reason)}});
            erased << id;
        }
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!erased.isEmpty())
        scrubbing.compact();
    return erased;
}
