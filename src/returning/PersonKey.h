#pragma once
#include <QString>
#include <QtGlobal>

class Query;

// What tells one person from another across stays: a valid TC number, or a document serial
// number together with its nationality.
struct PersonKey {
    quint64 tcNo = 0;    // 0 when the row has no valid TC number
    QString serial;      // empty unless the nationality is known too
    QString nationality;

    // The key of the current row of a guest query.
    static PersonKey of(const Query &row);
    bool hasTcNo() const { return tcNo != 0; }
    bool hasSerial() const { return !serial.isEmpty(); }
    bool isEmpty() const { return !hasTcNo() && !hasSerial(); }
    bool operator==(const PersonKey &other) const = default;
};
