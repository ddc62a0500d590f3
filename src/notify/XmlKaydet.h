#pragma once
#include <QDateTime>
#include <QString>

// The daily notification export: one file per active facility, written into the folder of the
// client its region reports to (police "P" into AKBS, gendarmerie "J" into JKBS).

// Writes the files for the day of moment. Raises only when the settings are unusable or the
// settings or facility query itself fails; problems of single facilities are shown as transient
// messages and the facility is skipped.
void XmlDosyalariKaydet(const QDateTime &moment);

// Writes the file of the facilities with this code. Never raises: an error is shown and swallowed.
void TesisXmlKaydet(qint64 tesisKodu, const QString &path, const QDateTime &moment);

// Opens the folder in the desktop's file manager; the result is not checked.
void DizinAc(const QString &folder);
