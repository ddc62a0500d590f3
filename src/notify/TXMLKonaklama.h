#pragma once
#include "notify/IXMLKonaklamaJ.h"
#include "notify/TXMLKonaklama_Kisi.h"
#include "notify/XmlAttributeList.h"

#include <memory>
#include <vector>

// The document element "Konaklama" of a notification file, owning its "Kisi" children.
class TXMLKonaklama final : public IXMLKonaklamaJ {
public:
    TXMLKonaklama();

    int count() const override;
    void clear() override;
    void removeAt(int index) override;
    int remove(const IXMLKonaklamaJ_Kisi &node) override;

    QString TesisKodu() const override;
    QString Tarih() const override;
    QString GonderenProgram() const override;
    QString GonderenProgramVersiyon() const override;
    IXMLKonaklamaJ_Kisi &Kisi(int index) override;
    const IXMLKonaklamaJ_Kisi &Kisi(int index) const override;

    void setTesisKodu(const QString &value) override;
    void setTarih(const QString &value) override;
    void setGonderenProgram(const QString &value) override;
    void setGonderenProgramVersiyon(const QString &value) override;

    IXMLKonaklamaJ_Kisi &Add() override;
    IXMLKonaklamaJ_Kisi &Insert(int index) override;

    QString xml() const override;

private:
    enum Attribute : std::size_t {
        AttrTesisKodu,
        AttrTarih,
        AttrGonderenProgram,
        AttrGonderenProgramVersiyon,
    };

    void checkIndex(int index, int upperBound) const;

    XmlAttributeList m_attributes;
    // Held by pointer so that references handed out stay valid while the list grows.
    std::vector<std::unique_ptr<TXMLKonaklama_Kisi>> m_kisiler;
};
