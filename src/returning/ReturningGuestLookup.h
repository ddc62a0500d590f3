#pragma once
#include "returning/PersonKey.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

class Database;

// Finds the most recent earlier stay of a person, for a new stay of a returning guest.
class ReturningGuestLookup {
public:
    struct PreviousStay {
        qint64 id = 0;
        QDate arrival;
        QString facility;
        QString room;
        // The person's data as that stay holds it, typed (dates as QDate), keyed by column;
        // NULL columns are left out.
        QVariantMap values;
    };

    // The columns brought over: identity, civil registry, address, occupation and plate; never
    // arrival, departure, room or notes, which belong to the new stay.
    static const QStringList &broughtColumns();

    // The most recent stay (latest arrival, then highest id) that matches the key by TC number
    // or by serial and nationality; none for an empty key or a person not yet in the register.
    static std::optional<PreviousStay> find(Database &db, const PersonKey &key);
    // The statement of one key's look-up: ":tcno", or ":seri" and ":uyruk".
    static QString statement(bool byTcNo);
    // "Bu kişi daha önce konakladı: son geliş 12.08.2025, Otel Güneş 1 / 101"
    static QString notice(const PreviousStay &stay);
};
