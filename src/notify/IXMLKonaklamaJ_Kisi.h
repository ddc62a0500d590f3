#pragma once
#include <QString>

// One guest of a notification document: an element "Kisi" that carries everything in its 25
// attributes and never has children. Getters return the attribute's text (empty when it was never
// set); setters store the text as given, replacing any earlier value.
class IXMLKonaklamaJ_Kisi {
public:
    virtual ~IXMLKonaklamaJ_Kisi() = default;

    virtual QString SiraNo() const = 0;
    virtual QString TCKimlikNo() const = 0;
    virtual QString Adi() const = 0;
    virtual QString Soyadi() const = 0;
    virtual QString BabaAdi() const = 0;
    virtual QString AnaAdi() const = 0;
    virtual QString DogumYeri() const = 0;
    virtual QString DogumTarihi() const = 0;
    virtual QString Uyrugu() const = 0;
    virtual QString KimlikBelgesiTuru() const = 0;
    virtual QString KimlikSeriNo() const = 0;
    virtual QString NufusaKayitliOlduguIl() const = 0;
    virtual QString NufusaKayitliOlduguIlce() const = 0;
    virtual QString NufusaKayitliOlduguMahalle() const = 0;
    virtual QString NufusCilt() const = 0;
    virtual QString NufusAileSira() const = 0;
    virtual QString NufusSiraNo() const = 0;
    virtual QString Cinsiyet() const = 0;
    virtual QString MedeniHali() const = 0;
    virtual QString Isi() const = 0;
    virtual QString IkametAdresi() const = 0;
    virtual QString GelisTarihi() const = 0;
    virtual QString AyrilisTarihi() const = 0;
    virtual QString VerilenOdaNo() const = 0;
    virtual QString AracPlakaNo() const = 0;

    virtual void setSiraNo(const QString &value) = 0;
    virtual void setTCKimlikNo(const QString &value) = 0;
    virtual void setAdi(const QString &value) = 0;
    virtual void setSoyadi(const QString &value) = 0;
    virtual void setBabaAdi(const QString &value) = 0;
    virtual void setAnaAdi(const QString &value) = 0;
    virtual void setDogumYeri(const QString &value) = 0;
    virtual void setDogumTarihi(const QString &value) = 0;
    virtual void setUyrugu(const QString &value) = 0;
    virtual void setKimlikBelgesiTuru(const QString &value) = 0;
    virtual void setKimlikSeriNo(const QString &value) = 0;
    virtual void setNufusaKayitliOlduguIl(const QString &value) = 0;
    virtual void setNufusaKayitliOlduguIlce(const QString &value) = 0;
    virtual void setNufusaKayitliOlduguMahalle(const QString &value) = 0;
    virtual void setNufusCilt(const QString &value) = 0;
    virtual void setNufusAileSira(const QString &value) = 0;
    virtual void setNufusSiraNo(const QString &value) = 0;
    virtual void setCinsiyet(const QString &value) = 0;
    virtual void setMedeniHali(const QString &value) = 0;
    virtual void setIsi(const QString &value) = 0;
    virtual void setIkametAdresi(const QString &value) = 0;
    virtual void setGelisTarihi(const QString &value) = 0;
    virtual void setAyrilisTarihi(const QString &value) = 0;
    virtual void setVerilenOdaNo(const QString &value) = 0;
    virtual void setAracPlakaNo(const QString &value) = 0;

    // The element as XML text: "<Kisi" + the set attributes + "/>".
    virtual QString xml() const = 0;

protected:
    IXMLKonaklamaJ_Kisi() = default;
    IXMLKonaklamaJ_Kisi(const IXMLKonaklamaJ_Kisi &) = delete;
    IXMLKonaklamaJ_Kisi &operator=(const IXMLKonaklamaJ_Kisi &) = delete;
};
