#pragma once
#include "delivery/LeftOutGuest.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// What one run did for one active facility: the file it wrote (path and the value of its hash
// line) and how many guests went into it, or why there is no file; and the present guests that
// were left out of it.
struct FacilityDelivery {
    qint64 facilityId = 0;
    QString facilityName;
    QVariant code;   // as stored, also when it is no usable code
    QVariant region; // as stored
    bool written = false;
    QString path;
    QString hash;
    int guestsWritten = 0;
    QList<LeftOutGuest> leftOut;
    QString reason; // the message that told why there is no file, naming the facility
    // Guests written with letters the file cannot hold (each written as "?"), one line each.
    QStringList unwritableNotices;

    // Delivered in full: a file with every present guest.
    bool complete() const { return written && leftOut.isEmpty(); }

    // The ledger's explanation: the reason there is no file, then who was left out.
    QString explanation() const;
};
