#pragma once
#include <QString>

// A present guest whose row could not be written into the facility's file (no arrival time, an
// arrival that cannot be read). The file is written with every other guest; this one is reported.
struct LeftOutGuest {
    QString facilityName;
    QString room;
    QString name;
    QString reason; // "geliş saati eksik"

    // "Güneş Pansiyon / 101 / Ayşe Öz: geliş saati eksik, bildirime yazılmadı."
    QString report() const
    {
        return QStringLiteral("%1 / %2 / %3: %4, bildirime yazılmadı.").arg(facilityName, room, name, reason);
    }
};
