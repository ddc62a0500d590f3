#pragma once
#include "notify/IXMLKonaklamaJ_Kisi.h"
#include "notify/XmlAttributeList.h"

// A guest element "Kisi"; its attributes are written in the fixed order of the notification format,
// whatever order they were set in.
class TXMLKonaklama_Kisi final : public IXMLKonaklamaJ_Kisi {
public:
    TXMLKonaklama_Kisi();
    QString SiraNo() const override;
    QString TCKimlikNo() const override;
    QString Adi() const override;
    QString Soyadi() const override;
    QString BabaAdi() const override;
    QString AnaAdi() const override;
    QString DogumYeri() const override;
    QString DogumTarihi() const override;
    QString Uyrugu() const override;
    QString KimlikBelgesiTuru() const override;
    QString KimlikSeriNo() const override;
    QString NufusaKayitliOlduguIl() const override;
    QString NufusaKayitliOlduguIlce() const override;
    QString NufusaKayitliOlduguMahalle() const override;
    QString NufusCilt() const override;
    QString NufusAileSira() const override;
    QString NufusSiraNo() const override;
    QString Cinsiyet() const override;
    QString MedeniHali() const override;
    QString Isi() const override;
    QString IkametAdresi() const override;
    QString GelisTarihi() const override;
    QString AyrilisTarihi() const override;
    QString VerilenOdaNo() const override;
    QString AracPlakaNo() const override;

    void setSiraNo(const QString &value) override;
    void setTCKimlikNo(const QString &value) override;
    void setAdi(const QString &value) override;
    void setSoyadi(const QString &value) override;
    void setBabaAdi(const QString &value) override;
    void setAnaAdi(const QString &value) override;
    void setDogumYeri(const QString &value) override;
    void setDogumTarihi(const QString &value) override;
    void setUyrugu(const QString &value) override;
    void setKimlikBelgesiTuru(const QString &value) override;
    void setKimlikSeriNo(const QString &value) override;
    void setNufusaKayitliOlduguIl(const QString &value) override;
    void setNufusaKayitliOlduguIlce(const QString &value) override;
    void setNufusaKayitliOlduguMahalle(const QString &value) override;
    void setNufusCilt(const QString &value) override;
    void setNufusAileSira(const QString &value) override;
    void setNufusSiraNo(const QString &value) override;
    void setCinsiyet(const QString &value) override;
    void setMedeniHali(const QString &value) override;
    void setIsi(const QString &value) override;
    void setIkametAdresi(const QString &value) override;
    void setGelisTarihi(const QString &value) override;
    void setAyrilisTarihi(const QString &value) override;
    void setVerilenOdaNo(const QString &value) override;
    void setAracPlakaNo(const QString &value) override;

    QString xml() const override;
    // Appends the element to out, so that the root builds its text in one buffer.
    void appendXml(QString &out) const;

private:
    enum Attribute : std::size_t {
        AttrSiraNo,
        AttrTCKimlikNo,
        AttrAdi,
        AttrSoyadi,
        AttrBabaAdi,
        AttrAnaAdi,
        AttrDogumYeri,
        AttrDogumTarihi,
        AttrUyrugu,
        AttrKimlikBelgesiTuru,
        AttrKimlikSeriNo,
        AttrNufusaKayitliOlduguIl,
        AttrNufusaKayitliOlduguIlce,
        AttrNufusaKayitliOlduguMahalle,
        AttrNufusCilt,
        AttrNufusAileSira,
        AttrNufusSiraNo,
        AttrCinsiyet,
        AttrMedeniHali,
        AttrIsi,
        AttrIkametAdresi,
        AttrGelisTarihi,
        AttrAyrilisTarihi,
        AttrVerilenOdaNo,
        AttrAracPlakaNo,
    };

    XmlAttributeList m_attributes;
};
