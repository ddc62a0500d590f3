#pragma once
#include "gen/Tmyfieldset.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The registry of field sets by name. Names are compared exactly, letter case included; the
// registry keeps its own copy of every set and hands out copies.
class TDataTanimlari {
public:
    TDataTanimlari() = default;

    // Stores a copy of the set under the name, replacing any set stored under it.
    void fieldSetEkle(const QString &tabloadi, const Tmyfieldset &fieldset);
    // Removes the set stored under the name, if there is one; the set argument is not used.
    void fieldSetSil(const QString &tabloadi, const Tmyfieldset &fieldset = Tmyfieldset());
    void Temizle();
    bool contains(const QString &tabloadi) const { return FFieldSets.contains(tabloadi); }

    // Copies the set registered under the name into fieldset. An unknown name leaves fieldset as
    // it was. A non-empty comma list selects and orders the entries by field name; names that the
    // set lacks are skipped.
    void fieldSetVer(const QString &tabloadi, Tmyfieldset &fieldset,
                     const QString &alanListesiVirgullu = QString()) const;

    // Index of the first entry naming the field (ASCII letter case ignored) before the end of the
    // set, or -1.
    static int MyfieldAlanAdiIndexi(const QString &Alan, const Tmyfieldset &fieldset);

    // The shown field names of a registered set in entry order, joined with ","; the walk stops
    // at the first entry without a field name. Empty for an unknown name.
    QString GosterilenAlanListesiVer(const QString &tabloadi) const;

    // Splits a comma list: items are separated by commas or blanks, double quotes group an item
    // (a doubled quote inside stands for one quote). Empty items are dropped.
    static QStringList commaListItems(const QString &list);

protected:
    QMap<QString, Tmyfieldset> FFieldSets;
    int LastPos = 0;
};
