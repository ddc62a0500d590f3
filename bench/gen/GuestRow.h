#pragma once
#include <cstdint>
#include <optional>
#include <string>

// One MISAFIR row in its stored form: dates "YYYY-MM-DD", times "HH:MM:SS.mmm"; an empty optional
// is NULL.
struct GuestRow {
    using Text = std::optional<std::string>;
    using Number = std::optional<std::int64_t>;

    std::int64_t roomId = 0;
    std::string kimlikTuru;
    std::string kimlikSeriNo;
    std::string uyrugu;
    Number tcNo;
    std::string adi;
    std::string soyadi;
    Text babaAdi;
    Text anaAdi;
    std::string cinsiyet;
    std::string medeniDurum;
    std::string dogumYeri;
    std::string dogumTarihi;
    Text nufusKayitIl;
    Text nufusKayitIlce;
    Text nufusKayitMah;
    Number nufusCilt;
    Number nufusAileSiraNo;
    Number nufusSiraNo;
    std::string ikametAdresi;
    Text meslegi;
    std::string gelisTarih;
    Text gelisSaat;
    Text ayrilisTarih;
    Text ayrilisSaat;
    Text aracPlakaNo;
    Text notlar;
};
