#include "gen/TKimlikRowValidate.h"

#include "db/Field.h"
#include "db/Query.h"
#include "gen/EKimlikRowHata.h"
#include "gen/KimlikNo.h"

#include <QLocale>
#include <algorithm>

namespace {

enum class RequiredWhen { Always, Citizen, Departed };

struct RequiredField {
    const char *name;
    const char *label;
    RequiredWhen when;
};

// The order is the one in which a missing field is reported.
const RequiredField kRequiredFields[] = {
    {"KIMLIKTURU", "Kimlik türü", RequiredWhen::Always},
    {"KIMLIKSERINO", "Kimlik serino", RequiredWhen::Always},
    {"UYRUGU", "Uyruk", RequiredWhen::Always},
    {"ADI", "Adı", RequiredWhen::Always},
    {"SOYADI", "Soyadı", RequiredWhen::Always},
    {"BABAADI", "Baba adı", RequiredWhen::Always},
    {"DOGUMYERI", "Doğumyeri", RequiredWhen::Always},
    {"DOGUMTARIHI", "Doğum tarihi", RequiredWhen::Always},
    {"CINSIYET", "Cinsiyet", RequiredWhen::Always},
    {"MEDENIDURUM", "Medeni durum", RequiredWhen::Always},
    {"IKAMETADRESI", "İkamet adresi", RequiredWhen::Always},
    {"TCNO", "Tc No", RequiredWhen::Citizen},
    {"ANAADI", "Ana adı", RequiredWhen::Citizen},
    {"GELISTARIH", "Geliş tarihi", RequiredWhen::Always},
    {"GELISSAAT", "Geliş saat", RequiredWhen::Always},
    {"AYRILISSAAT", "Ayrılış saat", RequiredWhen::Departed},
};

struct ForeignGuestField {
    const char *name;
    const char *message;
};

// Identity data that only a Turkish citizen has; a foreign guest's row must leave them empty.
const ForeignGuestField kForeignGuestFields[] = {
    {"TCNO", "Tc No Boş Olmalı."},
    {"NUFUSKAYITIL", "Nüfus il boş Olmalı."},
    {"NUFUSKAYITILCE", "Nüfus ilçe boş Olmalı."},
    {"NUFUSKAYITMAH", "Nüfus mah boş Olmalı."},
    {"NUFUSCILT", "Nüfus cilt boş Olmalı."},
    {"NUFUSAILESIRANO", "Nüfus aile sirano boş Olmalı."},
    {"NUFUSSIRANO", "Nüfus sirano boş Olmalı."},
};

constexpr int kTcNoLength = 11;

Field &fieldOf(const Query &query, const char *name)
{
    return query.fieldByName(QString::fromLatin1(name));
}

// NULL and the empty text are empty; nothing is trimmed, so a blank is content.
bool isEmptyValue(const Field &field)
{
    return field.asString().isEmpty();
}

// The nationality code "TC" in any case, as the user's locale folds it.
bool isTurkishCitizen(const Query &query)
{
    const QLocale locale;
    return locale.toUpper(fieldOf(query, "UYRUGU").asString()) == locale.toUpper(QStringLiteral("TC"));
}

bool holdsRowsOrNewRow(Query &query)
{
    switch (query.state()) {
    case Query::State::Edit:
    case Query::State::Insert:
    case Query::State::SetKey:
        return true;
    default:
        return !query.isEmpty();
    }
}

} // namespace

Query &TKimlikRowValidate::rowSource() const
{
    if (!Fields)
        throw AppError(QStringLiteral("Denetlenecek misafir kaydı verilmedi."));
    return *Fields;
}

void TKimlikRowValidate::buildReqFieldList()
{
    FReqFieldList.clear();
    FReqFieldList.squeeze();
    const Query &query = rowSource();
    const bool citizen = isTurkishCitizen(query);
    const bool departed = !fieldOf(query, "AYRILISTARIH").isNull();
    TReqFieldList list;
    for (const RequiredField &entry : kRequiredFields) {
        // Looked up whether required or not, so that a source without the column fails on every row.
        Field &field = fieldOf(query, entry.name);
        const bool required = entry.when == RequiredWhen::Always
            || (entry.when == RequiredWhen::Citizen && citizen)
            || (entry.when == RequiredWhen::Departed && departed);
        if (required)
            list.append({&field, QString::fromUtf8(entry.label)});
    }
    FReqFieldList = std::move(list);
}

bool TKimlikRowValidate::isListed(const Field *field) const
{
    return std::any_of(FReqFieldList.cbegin(), FReqFieldList.cend(),
                       [field](const TReqField &entry) { return entry.field == field; });
}

// A list that has entries describes the row it was built on and is kept as it is.
void TKimlikRowValidate::ensureReqFieldList()
{
    if (FReqFieldList.isEmpty())
        buildReqFieldList();
}

bool TKimlikRowValidate::isfieldneed(Field *Fld)
{
    ensureReqFieldList();
    if (!Fld || !isListed(Fld))
        return false;
    Query *query = Fld->query();
    // isEmpty reads at most one row, so a long guest history is not read to count it.
    if (query && query->isOpen() && !query->isEmpty())
        return isEmptyValue(*Fld);
    return true;
}

bool TKimlikRowValidate::isvalid()
{
    FLastErrorMsg.clear();
    FLastErrorField = nullptr;
    try {
        checkRow();
        return true;
    } catch (const EKimlikRowHata &failure) {
        FLastErrorMsg = failure.message();
        FLastErrorField = failure.Field();
    } catch (const AppError &error) {
        FLastErrorMsg = error.message();
    } catch (const std::exception &error) {
        FLastErrorMsg = QString::fromUtf8(error.what());
    } catch (...) {
        FLastErrorMsg = QStringLiteral("Misafir kaydı denetlenirken beklenmeyen bir hata oluştu.");
    }
    return false;
}

void TKimlikRowValidate::checkRow()
{
    ensureReqFieldList();
    if (!holdsRowsOrNewRow(rowSource()))
        throw EKimlikRowHata(QStringLiteral("Tablo boş"), nullptr);
    checkRequiredFields();
    if (isTurkishCitizen(rowSource()))
        checkCitizen();
    else
        checkForeignGuest();
}

void TKimlikRowValidate::checkRequiredFields() const
{
    for (const TReqField &entry : FReqFieldList) {
        if (isEmptyValue(*entry.field))
            throw EKimlikRowHata(entry.label + QStringLiteral(" gereklidir."), entry.field);
    }
}

void TKimlikRowValidate::checkCitizen() const
{
    Field &tcNo = fieldOf(rowSource(), "TCNO");
    if (tcNo.asString().size() != kTcNoLength)
        throw EKimlikRowHata(QStringLiteral("Tc No Eksik."), &tcNo);
    const qint64 number = tcNo.asLargeInt();
    if (number < 0 || !tcKimlikNoGecerli(quint64(number)))
        throw EKimlikRowHata(QStringLiteral("Tc No Hatalı."), &tcNo);
}

void TKimlikRowValidate::checkForeignGuest() const
{
    for (const ForeignGuestField &entry : kForeignGuestFields) {
        Field &field = fieldOf(rowSource(), entry.name);
        if (!isEmptyValue(field))
            throw EKimlikRowHata(QString::fromUtf8(entry.message), &field);
    }
}
