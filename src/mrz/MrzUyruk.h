#pragma once
#include <QSet>
#include <QString>

// Nationality and issuing-state codes of a machine-readable zone, in terms of the register's
// nationality list (UYRUK) and document types (KIMLIKTURU).
class MrzUyruk {
public:
    // The nationality list's codes as the creation script seeds them.
    MrzUyruk();
    // A list of one's own, for a register whose list differs.
    explicit MrzUyruk(QSet<QString> uyrukKodlari);

    // The three-letter code with its fillers removed, as the zone's own list has it: Germany is
    // "D" there.
    static QString temizKod(const QString &zoneCode);
    // The UYRUK code for a zone code: "D" is Germany (DEU), "TUR" the row TÜRKİYE ("TC"); empty
    // when the list has no such row.
    QString uyrukKodu(const QString &zoneCode) const;
    // Whether the code (zone or list form) is one of the member states of the European Union.
    static bool avrupaBirligiUyesi(const QString &zoneCode);
    // Whether the code stands for Turkey.
    static bool turkiye(const QString &zoneCode);

private:
    QSet<QString> m_kodlar;
};
