#pragma once
#include "returning/PersonKey.h"

#include <QDate>
#include <QString>
#include <optional>

class Database;
class Query;
class QWidget;

// A person cannot sleep in two rooms at once: the save of a stay whose person is present on an
// overlapping day in another stay is asked about first.
class PresentTwiceCheck {
public:
    struct OtherStay {
        qint64 id = 0;
        QString facility;
        QString room;
        QDate arrival;
        QDate departure; // null while the guest is staying
    };

    // The days a stay is present: from the arrival day to the day before the departure day, the
    // arrival day at least, open-ended without a departure day.
    static std::optional<OtherStay> find(Database &db, const PersonKey &key, const QDate &arrival,
                                         const QDate &departure, qint64 exceptId);
    // The question, naming the other stay's facility, room and dates.
    static QString question(const OtherStay &other);
    // Asks (warning box, Cancel the default) when the row's person is present elsewhere on one
    // of its days; true when there is no such stay or the operator chose to save all the same.
    // An unchanged person and unchanged dates of a stored row are not asked about again.
    static bool allowSave(Query &row, QWidget *parent);
};
