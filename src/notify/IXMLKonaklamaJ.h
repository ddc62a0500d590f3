#pragma once
#include "notify/IXMLKonaklamaJ_Kisi.h"
#include <QString>

// The root of a notification document: an element "Konaklama" with four attributes and one "Kisi"
// child per guest, in the order they were added. The root owns its children; a reference handed out
// by Kisi, Add or Insert stays valid until that child is removed or the root is destroyed.
// An index outside the list raises AppError.
class IXMLKonaklamaJ {
public:
    virtual ~IXMLKonaklamaJ() = default;

    // The node collection.
    virtual int count() const = 0;
    virtual void clear() = 0;
    virtual void removeAt(int index) = 0;
    // Removes the given child and returns the position it had, or -1 when it is not a child of this root.
    virtual int remove(const IXMLKonaklamaJ_Kisi &node) = 0;

    virtual QString TesisKodu() const = 0;
    virtual QString Tarih() const = 0;
    virtual QString GonderenProgram() const = 0;
    virtual QString GonderenProgramVersiyon() const = 0;
    virtual IXMLKonaklamaJ_Kisi &Kisi(int index) = 0;
    virtual const IXMLKonaklamaJ_Kisi &Kisi(int index) const = 0;

    virtual void setTesisKodu(const QString &value) = 0;
    virtual void setTarih(const QString &value) = 0;
    virtual void setGonderenProgram(const QString &value) = 0;
    virtual void setGonderenProgramVersiyon(const QString &value) = 0;

    // Appends a new, empty guest after the last one.
    virtual IXMLKonaklamaJ_Kisi &Add() = 0;
    // Inserts a new, empty guest at index (0 .. count(); count() appends).
    virtual IXMLKonaklamaJ_Kisi &Insert(int index) = 0;

    // The whole document element as XML text, compact, without declaration and without a final
    // line break. This is the text that is hashed and written as the file's last line.
    virtual QString xml() const = 0;

protected:
    IXMLKonaklamaJ() = default;
    IXMLKonaklamaJ(const IXMLKonaklamaJ &) = delete;
    IXMLKonaklamaJ &operator=(const IXMLKonaklamaJ &) = delete;
};
