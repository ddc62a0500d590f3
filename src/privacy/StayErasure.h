#pragma once
#include <QChar>
#include <QDate>
#include <QList>
#include <QString>

class Database;

// Erasure of a stay's identity data while the stay itself stays: the room, the arrival and
// departure, the nationality, the sex, the document type and the marital status codes and the
// key are kept, so that counts per day, room, nationality and sex still add up. The names,
// parents' names, TC number, document serial, birthplace and birth date, the civil-registry
// fields, the address, the occupation, the plate and the notes go: a column that may be empty
// is emptied, a required text column holds kErasedText and the required birth date kErasedDate.
// Every erased stay is recorded in SILINENLER with the day and the reason, and nothing else, so
// that the erasure can be applied again to an older copy of the register.
class StayErasure {
public:
    static constexpr char16_t kOnRequest = u'K';
    static constexpr char16_t kByKeepingPeriod = u'S';
    static const QString kErasedText;
    // A birth date that no living guest can have, so an erased row is never taken for a person.
    static constexpr const char *kErasedDate = "1800-01-01";

    // True for a stay that has not been erased; the returning-guest look-up and every search for
    // a person adds it to its WHERE clause so that an erased stay is never offered.
    static constexpr const char *kNotErasedCondition =
        "MISAFIR.IDMISAFIR NOT IN (SELECT _IDMISAFIR FROM SILINENLER)";
    // True for a stay that has ended: its departure day lies before the day bound to :bugun.
    // A guest still present must go on being notified, so only ended stays can be erased.
    static constexpr const char *kEndedCondition = "DATE(MISAFIR.AYRILISTARIH) < :bugun";

    // Erases those of the stays that have ended before `today` and have not been erased yet, in
    // one transaction with the journal and the freed bytes scrubbed, records each with the reason
    // (kOnRequest or kByKeepingPeriod) and returns the ids it erased. Throws the engine's error;
    // then nothing is erased.
    static QList<qint64> erase(Database &db, const QList<qint64> &stayIds, QChar reason,
                               const QDate &today = QDate::currentDate());

    // The statement that empties the identity columns of the stay bound to :id.
    static QString anonymiseStatement();
    // The moment of an erasure as stored in SILINENLER.TARIH.
    static QString recordMoment();
};
