#include "privacy/KeepingPeriod.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/StoredValue.h"
#include "forms/MessageBoxes.h"
#include "privacy/ErasureBackup.h"
#include "privacy/PrivacySchema.h"
#include "privacy/StayErasure.h"

#include <QLocale>

std::optional<int> KeepingPeriod::years(Database &db)
{
    const QVariant stored = db.scalar(
        QStringLiteral("SELECT %1 FROM AYAR WHERE IDAYAR=1").arg(QLatin1String(PrivacySchema::kKeepingYearsColumn)));
    bool number = false;
    const int value = stored.toInt(&number);
    if (stored.isNull() || !number || value <= 0)
        return std::nullopt;
    return value;
}

KeepingPeriod::DueStays KeepingPeriod::dueStays(Database &db, int years, const QDate &today)
{
    DueStays due;
    Statement statement(db, QStringLiteral("SELECT IDMISAFIR,AYRILISTARIH FROM MISAFIR WHERE AYRILISTARIH IS NOT NULL "
                                           "AND DATE(AYRILISTARIH) < :sinir AND %1 ORDER BY AYRILISTARIH,IDMISAFIR")
                                .arg(QLatin1String(StayErasure::kNotErasedCondition)));
    statement.bindAll({{QStringLiteral("sinir"), today.addYears(-years).toString(Qt::ISODate)}});
    while (statement.step()) {
        due.ids << statement.columnValue(0).toLongLong();
        const QDate departure = StoredValue::parseDate(statement.columnValue(1).toString());
        if (!due.firstDeparture.isValid())
            due.firstDeparture = departure;
        due.lastDeparture = departure;
    }
    return due;
}

int KeepingPeriod::checkAtStart(QWidget *parent, Database &db, const QDate &today)
{
    const std::optional<int> period = years(db);
    if (!period || checkedOn(db, today))
        return 0;
    // Marked before asking: a Cancel or a failure is not asked again the same day.
    markChecked(db, today);
    const DueStays due = dueStays(db, *period, today);
    if (due.ids.isEmpty())
        return 0;
    if (!MessageBoxes::confirm(parent, question(*period, due, ErasureBackup::isAvailable())))
        return 0;
    ErasureBackup::take();
    const int erased = int(StayErasure::erase(db, due.ids, QChar(StayErasure::kByKeepingPeriod), today).size());
    MessageBoxes::showInformation(parent, QStringLiteral("%1 konaklamanın kişisel verileri silindi.").arg(erased));
    return erased;
}

QString KeepingPeriod::question(int years, const DueStays &due, bool withBackup)
{
    const QLocale locale;
    QString text = QStringLiteral("Kişisel verileri saklama süresi (%1 yıl) dolmuş %2 konaklama var; ayrılış tarihleri "
                                  "%3 ile %4 arasında.\n\n"
                                  "Bu konaklamalardaki kişisel veriler (ad, soyad, TC kimlik no, belge seri no, doğum "
                                  "yeri ve tarihi, nüfus bilgileri, adres, meslek, plaka, notlar) silinsin mi? Oda, "
                                  "geliş ve ayrılış, uyruk ve cinsiyet kalır. Silinen veriler geri getirilemez.")
                       .arg(years)
                       .arg(due.ids.size())
                       .arg(locale.toString(due.firstDeparture, QLocale::ShortFormat),
                            locale.toString(due.lastDeparture, QLocale::ShortFormat));
    if (withBackup)
        text += QStringLiteral("\n\nSilmeden önce kaydın yedeği alınır.");
    text += QStringLiteral("\n\nVazgeçerseniz yarın yeniden sorulur.");
    return text;
}

bool KeepingPeriod::checkedOn(Database &db, const QDate &today)
{
    return db.scalar(QStringLiteral("SELECT %1 FROM AYAR WHERE IDAYAR=1").arg(QLatin1String(PrivacySchema::kLastCheckColumn)))
               .toString()
           == today.toString(Qt::ISODate);
}

void KeepingPeriod::markChecked(Database &db, const QDate &today)
{
    db.execute(QStringLiteral("UPDATE AYAR SET %1=:gun WHERE IDAYAR=1").arg(QLatin1String(PrivacySchema::kLastCheckColumn)),
               {{QStringLiteral("gun"), today.toString(Qt::ISODate)}});
}
