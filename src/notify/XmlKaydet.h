#pragma once
#include "delivery/ExportOutcome.h"
#include "notify/NotificationFileWriter.h"
#include "notify/PresentGuests.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class Database;

// The daily notification export: one file per active facility, written into the folder of the
// client its region reports to (police "P" into AKBS, gendarmerie "J" into JKBS).

// Writes the files for the day of moment and returns what it did for each active facility.
// Raises only when the settings are unusable or the settings or facility query itself fails;
// problems of single facilities are shown as transient messages and the facility is skipped.
// The day's present guests are found once for the run (PresentGuestsByCode) unless finder brings
// another way of finding them.
using PresentGuestsFinder = std::function<std::unique_ptr<PresentGuests>(Database &db, const QDate &day)>;
ExportOutcome XmlDosyalariKaydet(const QDateTime &moment, const PresentGuestsFinder &finder = {});

// Writes the file of the facilities with this code, with the guests that guests gives for it,
// under the first free name pathAt offers and records the file, its guests and the guests left
// out in delivery. Never raises: an error is shown, naming delivery's facility, and recorded as
// the reason there is no file.
void TesisXmlKaydet(qint64 tesisKodu, PresentGuests &guests, const NotificationFileWriter::PathChooser &pathAt,
                    const QDateTime &moment, FacilityDelivery &delivery);

// Opens the folder in the desktop's file manager; the result is not checked.
void DizinAc(const QString &folder);
