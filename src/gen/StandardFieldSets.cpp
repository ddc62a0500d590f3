#include "gen/StandardFieldSets.h"

#include <initializer_list>

namespace {

struct Entry {
    const char *alanadi;
    const char *etiket;
    const char *goster;
    const char *genislik;
    const char *dispformat = "";
};

// Entries fill the set from index 0; the edit mask stays empty, which clears a field's mask.
Tmyfieldset buildSet(std::initializer_list<Entry> entries)
{
    Tmyfieldset fieldset;
    int index = 0;
    for (const Entry &entry : entries) {
        fieldset.set(index, TFozellik::alanadi, QString::fromUtf8(entry.alanadi));
        fieldset.set(index, TFozellik::etiket, QString::fromUtf8(entry.etiket));
        fieldset.set(index, TFozellik::goster, QString::fromUtf8(entry.goster));
        fieldset.set(index, TFozellik::genislik, QString::fromUtf8(entry.genislik));
        fieldset.set(index, TFozellik::editmaske, QString());
        fieldset.set(index, TFozellik::dispformat, QString::fromUtf8(entry.dispformat));
        ++index;
    }
    return fieldset;
}

} // namespace

Tmyfieldset misafirFieldSet()
{
    return buildSet({
        {"TESISADI", "TESIS ADI", "1", "10"},
        {"ODAEVNO", "ODA/EV NO", "1", "10"},
        {"ADI", "ADI", "1", "15"},
        {"SOYADI", "SOYADI", "1", "15"},
        {"UYRUGU", "UYRUGU", "1", "10"},
        {"GELISTARIH", "GELIS TARIH", "1", "10"},
        {"GELISSAAT", "GELIS SAAT", "1", "6", "hh:nn"},
        {"AYRILISTARIH", "AYRILIS TARIH", "1", "10"},
        {"AYRILISSAAT", "AYRILIS SAAT", "1", "6", "hh:nn"},
        {"TCNO", "TC NO", "1", "10"},
        {"KIMLIKTURU", "KIMLIK TURU", "1", "10"},
        {"KIMLIKSERINO", "KIMLIK SERINO", "1", "10"},
        {"BABAADI", "BABAADI", "1", "15"},
        {"ANAADI", "ANAADI", "1", "10"},
        {"DOGUMYERI", "DOGUM YERI", "1", "10"},
        {"DOGUMTARIHI", "DOGUM TARIHI", "1", "10"},
        {"NUFUSKAYITIL", "NUFUS IL", "1", "10"},
        {"NUFUSKAYITILCE", "NUFUS ILCE", "1", "10"},
        {"NUFUSKAYITMAH", "NUFUS MAH", "1", "10"},
        {"NUFUSCILT", "NUFUS CILT", "1", "10"},
        {"NUFUSAILESIRANO", "AILE SIRANO", "1", "10"},
        {"NUFUSSIRANO", "NUFUS SIRANO", "1", "10"},
        {"CINSIYET", "CINSIYET", "1", "10"},
        {"MEDENIDURUM", "MEDENI DURUM", "1", "10"},
        {"IKAMETADRESI", "IKAMET ADRESI", "1", "15"},
        {"MESLEGI", "MESLEGI", "1", "10"},
        {"ARACPLAKANO", "ARAC PLAKANO", "1", "7"},
        {"ODAEVACIKLAMA", "ODA/EV ACIKLAMA", "0", "10"},
        {"_IDODAEV", "ODA/EV", "0", "10"},
    });
}

Tmyfieldset odaevFieldSet()
{
    return buildSet({
        {"TESISADI", "TESIS ADI", "1", "10"},
        {"ODAEVNO", "ODA/EV NO", "1", "10"},
        {"ODAEVACIKLAMA", "ODA/EV ACIKLAMA", "1", "15"},
    });
}
