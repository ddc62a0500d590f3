#include "delivery/NotificationLedger.h"

#include "db/Database.h"
#include "delivery/ExportOutcome.h"

namespace {

const char *const kInsertSql =
    "INSERT INTO BILDIRIMLER (TARIH,GUN,_IDTESISLER,TESISKODU,TESISBOLGE,DOSYA,KISISAYISI,EKSIKSAYISI,MD5,"
    "SONUC,ACIKLAMA,KAYNAK) VALUES (:tarih,:gun,:tesis,:kod,:bolge,:dosya,:kisi,:eksik,:md5,:sonuc,:aciklama,"
    ":kaynak)";

// The width the column declares; the engine would keep more, the grid shows no more.
constexpr int kExplanationWidth = 255;

QString explanationText(const FacilityDelivery &facility)
{
    QString text = facility.explanation();
    if (text.size() > kExplanationWidth)
        text = text.left(kExplanationWidth - 1) + QChar(0x2026);
    return text;
}

QVariantMap rowOf(const ExportOutcome &outcome, const FacilityDelivery &facility, QChar source)
{
    const QVariant none(QMetaType(QMetaType::QString));
    return {{QStringLiteral("tarih"), outcome.startedAt},
            {QStringLiteral("gun"), outcome.moment.date()},
            {QStringLiteral("tesis"), facility.facilityId},
            {QStringLiteral("kod"), facility.code},
            {QStringLiteral("bolge"), facility.region},
            {QStringLiteral("dosya"), facility.written ? QVariant(facility.path) : none},
            {QStringLiteral("kisi"), facility.written ? facility.guestsWritten : 0},
            {QStringLiteral("eksik"), int(facility.leftOut.size())},
            {QStringLiteral("md5"), facility.written ? QVariant(facility.hash) : none},
            {QStringLiteral("sonuc"), facility.written},
            {QStringLiteral("aciklama"), facility.explanation().isEmpty() ? none : QVariant(explanationText(facility))},
            {QStringLiteral("kaynak"), QString(source)}};
}

} // namespace

NotificationLedger &NotificationLedger::instance()
{
    static NotificationLedger ledger;
    return ledger;
}

void NotificationLedger::record(Database &db, const ExportOutcome &outcome, QChar source)
{
    if (outcome.facilities.isEmpty())
        return;
    db.beginTransaction();
    try {
        for (const FacilityDelivery &facility : outcome.facilities)
            db.execute(QString::fromLatin1(kInsertSql), rowOf(outcome, facility, source));
        db.commit();
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
    emit recorded();
}
