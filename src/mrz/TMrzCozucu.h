#pragma once
#include "mrz/MrzUyruk.h"

#include <QString>
#include <QVariantMap>

// Reads the machine-readable zone of a passport (TD3, 2 lines of 44 characters), of a
// two-line card (TD2, 2 x 36) or of an identity card (TD1, 3 x 30), as typed or as a desk
// reader sends it: lines separated by line breaks, lower case and blanks tolerated.
//
// A zone whose document number, birth date, expiry date, personal number or composite check
// digit fails gives no fields at all, and hata() names the check. A readable zone gives its
// fields keyed by the guest table's column names: SOYADI, ADI, UYRUGU, KIMLIKTURU,
// KIMLIKSERINO, DOGUMTARIHI (a QDate), CINSIYET ("E"/"K") and TCNO (text, only from a Turkish
// document whose number passes the TC check). A value the zone leaves open or that the
// register's lists lack is left out, and hata() says why, while the other fields are read.
class TMrzCozucu {
public:
    TMrzCozucu() = default;
    // With a nationality list of one's own in place of the seeded one.
    explicit TMrzCozucu(MrzUyruk uyruklar) : m_uyruklar(std::move(uyruklar)) {}

    // Reads a zone; true when its checks hold and fields were read.
    bool coz(const QString &text);
    QVariantMap alanlar() const { return m_alanlar; }
    // Why the zone was refused, or what was left out of a zone that was read; Turkish.
    QString hata() const { return m_hata; }

private:
    struct Zone;
    bool readZone(const QStringList &lines, Zone &zone);
    bool checkDigits(const Zone &zone);
    void readFields(const Zone &zone);
    void readName(const QString &nameField);
    void readBirthDate(const QString &yymmdd);
    void readTcNo(const Zone &zone);
    void note(const QString &text);

    MrzUyruk m_uyruklar;
    QVariantMap m_alanlar;
    QString m_hata;
};
