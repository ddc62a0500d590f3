#include "privacy/PersonSearch.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "privacy/StayErasure.h"

#include <QLocale>
#include <QRegularExpression>
#include <sqlite3.h>

namespace {

void foldFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    const QByteArray folded = PersonSearch::fold(QString::fromUtf8(text)).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

PersonSearch::Condition notErased(PersonSearch::Condition condition)
{
    condition.sql = QStringLiteral("(%1) AND %2").arg(condition.sql, QLatin1String(StayErasure::kNotErasedCondition));
    return condition;
}

} // namespace

QString PersonSearch::fold(const QString &text)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkish.toUpper(text.simplified());
}

void PersonSearch::registerFolding(Database &db)
{
    if (!db.isOpen())
        db.raiseLastError();
    const int rc = sqlite3_create_function_v2(db.handle(), "KV_KATLA", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              foldFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        db.raiseLastError();
}

PersonSearch::Condition PersonSearch::byTcNo(const QString &tcNo)
{
    static const QRegularExpression elevenDigits(QStringLiteral("^[1-9][0-9]{10}$"));
    const QString digits = tcNo.trimmed();
    if (!elevenDigits.match(digits).hasMatch())
        throw AppError(QStringLiteral("TC kimlik numarası 11 haneli olmalı ve 0 ile başlamamalıdır."));
    return notErased({QStringLiteral("MISAFIR.TCNO=:kv_tcno"), {{QStringLiteral("kv_tcno"), digits.toLongLong()}}});
}

PersonSearch::Condition PersonSearch::byDocumentSerial(const QString &serial, const QString &nationalityCode)
{
    if (fold(serial).isEmpty())
        throw AppError(QStringLiteral("Belge seri numarasını yazınız."));
    if (nationalityCode.trimmed().isEmpty())
        throw AppError(QStringLiteral("Uyruğu seçiniz."));
    return notErased({QStringLiteral("KV_KATLA(MISAFIR.KIMLIKSERINO)=:kv_seri AND MISAFIR.UYRUGU=:kv_uyruk"),
                      {{QStringLiteral("kv_seri"), fold(serial)}, {QStringLiteral("kv_uyruk"), nationalityCode.trimmed()}}});
}

PersonSearch::Condition PersonSearch::byNameAndBirthDate(const QString &givenName, const QString &surname,
                                                         const QDate &birthDate)
{
    if (fold(givenName).isEmpty() || fold(surname).isEmpty())
        throw AppError(QStringLiteral("Adı ve soyadını yazınız."));
    if (!birthDate.isValid())
        throw AppError(QStringLiteral("Doğum tarihini giriniz."));
    return notErased({QStringLiteral("KV_KATLA(MISAFIR.ADI)=:kv_adi AND KV_KATLA(MISAFIR.SOYADI)=:kv_soyadi "
                                     "AND DATE(MISAFIR.DOGUMTARIHI)=:kv_dogum"),
                      {{QStringLiteral("kv_adi"), fold(givenName)},
                       {QStringLiteral("kv_soyadi"), fold(surname)},
                       {QStringLiteral("kv_dogum"), birthDate.toString(Qt::ISODate)}}});
}
