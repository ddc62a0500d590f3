#include "notify/TXMLKonaklama_Kisi.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

// The writing order of the guest attributes; it must match the enum Attribute.
constexpr std::array<QLatin1StringView, 25> kisiAttributeNames = {
    "SiraNo"_L1,
    "TCKimlikNo"_L1,
    "Adi"_L1,
    "Soyadi"_L1,
    "BabaAdi"_L1,
    "AnaAdi"_L1,
    "DogumYeri"_L1,
    "DogumTarihi"_L1,
    "Uyrugu"_L1,
    "KimlikBelgesiTuru"_L1,
    "KimlikSeriNo"_L1,
    "NufusaKayitliOlduguIl"_L1,
    "NufusaKayitliOlduguIlce"_L1,
    "NufusaKayitliOlduguMahalle"_L1,
    "NufusCilt"_L1,
    "NufusAileSira"_L1,
    "NufusSiraNo"_L1,
    "Cinsiyet"_L1,
    "MedeniHali"_L1,
    "Isi"_L1,
    "IkametAdresi"_L1,
    "GelisTarihi"_L1,
    "AyrilisTarihi"_L1,
    "VerilenOdaNo"_L1,
    "AracPlakaNo"_L1,
};

} // namespace

TXMLKonaklama_Kisi::TXMLKonaklama_Kisi() : m_attributes(kisiAttributeNames)
{
    static_assert(kisiAttributeNames.size() == AttrAracPlakaNo + 1);
}

QString TXMLKonaklama_Kisi::SiraNo() const { return m_attributes.value(AttrSiraNo); }
QString TXMLKonaklama_Kisi::TCKimlikNo() const { return m_attributes.value(AttrTCKimlikNo); }
QString TXMLKonaklama_Kisi::Adi() const { return m_attributes.value(AttrAdi); }
QString TXMLKonaklama_Kisi::Soyadi() const { return m_attributes.value(AttrSoyadi); }
QString TXMLKonaklama_Kisi::BabaAdi() const { return m_attributes.value(AttrBabaAdi); }
QString TXMLKonaklama_Kisi::AnaAdi() const { return m_attributes.value(AttrAnaAdi); }
QString TXMLKonaklama_Kisi::DogumYeri() const { return m_attributes.value(AttrDogumYeri); }
QString TXMLKonaklama_Kisi::DogumTarihi() const { return m_attributes.value(AttrDogumTarihi); }
QString TXMLKonaklama_Kisi::Uyrugu() const { return m_attributes.value(AttrUyrugu); }
QString TXMLKonaklama_Kisi::KimlikBelgesiTuru() const { return m_attributes.value(AttrKimlikBelgesiTuru); }
QString TXMLKonaklama_Kisi::KimlikSeriNo() const { return m_attributes.value(AttrKimlikSeriNo); }
QString TXMLKonaklama_Kisi::NufusaKayitliOlduguIl() const { return m_attributes.value(AttrNufusaKayitliOlduguIl); }
QString TXMLKonaklama_Kisi::NufusaKayitliOlduguIlce() const { return m_attributes.value(AttrNufusaKayitliOlduguIlce); }
QString TXMLKonaklama_Kisi::NufusaKayitliOlduguMahalle() const { return m_attributes.value(AttrNufusaKayitliOlduguMahalle); }
QString TXMLKonaklama_Kisi::NufusCilt() const { return m_attributes.value(AttrNufusCilt); }
QString TXMLKonaklama_Kisi::NufusAileSira() const { return m_attributes.value(AttrNufusAileSira); }
QString TXMLKonaklama_Kisi::NufusSiraNo() const { return m_attributes.value(AttrNufusSiraNo); }
QString TXMLKonaklama_Kisi::Cinsiyet() const { return m_attributes.value(AttrCinsiyet); }
QString TXMLKonaklama_Kisi::MedeniHali() const { return m_attributes.value(AttrMedeniHali); }
QString TXMLKonaklama_Kisi::Isi() const { return m_attributes.value(AttrIsi); }
QString TXMLKonaklama_Kisi::IkametAdresi() const { return m_attributes.value(AttrIkametAdresi); }
QString TXMLKonaklama_Kisi::GelisTarihi() const { return m_attributes.value(AttrGelisTarihi); }
QString TXMLKonaklama_Kisi::AyrilisTarihi() const { return m_attributes.value(AttrAyrilisTarihi); }
QString TXMLKonaklama_Kisi::VerilenOdaNo() const { return m_attributes.value(AttrVerilenOdaNo); }
QString TXMLKonaklama_Kisi::AracPlakaNo() const { return m_attributes.value(AttrAracPlakaNo); }

void TXMLKonaklama_Kisi::setSiraNo(const QString &value) { m_attributes.setValue(AttrSiraNo, value); }
void TXMLKonaklama_Kisi::setTCKimlikNo(const QString &value) { m_attributes.setValue(AttrTCKimlikNo, value); }
void TXMLKonaklama_Kisi::setAdi(const QString &value) { m_attributes.setValue(AttrAdi, value); }
void TXMLKonaklama_Kisi::setSoyadi(const QString &value) { m_attributes.setValue(AttrSoyadi, value); }
void TXMLKonaklama_Kisi::setBabaAdi(const QString &value) { m_attributes.setValue(AttrBabaAdi, value); }
void TXMLKonaklama_Kisi::setAnaAdi(const QString &value) { m_attributes.setValue(AttrAnaAdi, value); }
void TXMLKonaklama_Kisi::setDogumYeri(const QString &value) { m_attributes.setValue(AttrDogumYeri, value); }
void TXMLKonaklama_Kisi::setDogumTarihi(const QString &value) { m_attributes.setValue(AttrDogumTarihi, value); }
void TXMLKonaklama_Kisi::setUyrugu(const QString &value) { m_attributes.setValue(AttrUyrugu, value); }
void TXMLKonaklama_Kisi::setKimlikBelgesiTuru(const QString &value) { m_attributes.setValue(AttrKimlikBelgesiTuru, value); }
void TXMLKonaklama_Kisi::setKimlikSeriNo(const QString &value) { m_attributes.setValue(AttrKimlikSeriNo, value); }
void TXMLKonaklama_Kisi::setNufusaKayitliOlduguIl(const QString &value) { m_attributes.setValue(AttrNufusaKayitliOlduguIl, value); }
void TXMLKonaklama_Kisi::setNufusaKayitliOlduguIlce(const QString &value) { m_attributes.setValue(AttrNufusaKayitliOlduguIlce, value); }
void TXMLKonaklama_Kisi::setNufusaKayitliOlduguMahalle(const QString &value) { m_attributes.setValue(AttrNufusaKayitliOlduguMahalle, value); }
void TXMLKonaklama_Kisi::setNufusCilt(const QString &value) { m_attributes.setValue(AttrNufusCilt, value); }
void TXMLKonaklama_Kisi::setNufusAileSira(const QString &value) { m_attributes.setValue(AttrNufusAileSira, value); }
void TXMLKonaklama_Kisi::setNufusSiraNo(const QString &value) { m_attributes.setValue(AttrNufusSiraNo, value); }
void TXMLKonaklama_Kisi::setCinsiyet(const QString &value) { m_attributes.setValue(AttrCinsiyet, value); }
void TXMLKonaklama_Kisi::setMedeniHali(const QString &value) { m_attributes.setValue(AttrMedeniHali, value); }
void TXMLKonaklama_Kisi::setIsi(const QString &value) { m_attributes.setValue(AttrIsi, value); }
void TXMLKonaklama_Kisi::setIkametAdresi(const QString &value) { m_attributes.setValue(AttrIkametAdresi, value); }
void TXMLKonaklama_Kisi::setGelisTarihi(const QString &value) { m_attributes.setValue(AttrGelisTarihi, value); }
void TXMLKonaklama_Kisi::setAyrilisTarihi(const QString &value) { m_attributes.setValue(AttrAyrilisTarihi, value); }
void TXMLKonaklama_Kisi::setVerilenOdaNo(const QString &value) { m_attributes.setValue(AttrVerilenOdaNo, value); }
void TXMLKonaklama_Kisi::setAracPlakaNo(const QString &value) { m_attributes.setValue(AttrAracPlakaNo, value); }

QString TXMLKonaklama_Kisi::xml() const
{
    QString out;
    appendXml(out);
    return out;
}

void TXMLKonaklama_Kisi::appendXml(QString &out) const
{
    out += u"<Kisi";
    m_attributes.appendTo(out);
    out += u"/>";
}
