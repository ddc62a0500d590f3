#pragma once
#include <QString>

// The two dates of a guest as the notification file writes them, "yyyy-MM-dd" and
// "yyyy-MM-dd hh:nn:ss". The export reads them for every guest, so the common case (a plain date
// with a four-digit year, which reads back as itself) is recognised without the general parser;
// everything else goes through the parser as it always did.
class NotificationDates {
public:
    // The stored birth date's first ten characters read as "yyyy-MM-dd" and written again; a
    // birth date that is empty or not a date is written as the day of writing.
    static QString birthDate(const QString &stored);
    // The arrival as the engine combined it from date and time ("yyyy-MM-dd hh:mm:ss"), read and
    // written again as the texts they are; empty when it is no date and time. It never passes
    // through local time: an arrival in the hour a clock change skips is as good as any other.
    static QString arrival(const QString &combined);
};
