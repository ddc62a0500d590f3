#pragma once
#include <QChar>
#include <QStringView>

// The check digit of the machine-readable zone of travel documents: each character's value
// (digits as themselves, A = 10 ... Z = 35, the filler "<" = 0) times the repeating weights
// 7, 3, 1, summed, modulo 10.
class MrzCheckDigit {
public:
    // The digit for the characters; -1 when one of them is not a character of the zone.
    static int of(QStringView characters);
    // Whether `digit` is the check digit of `characters`.
    static bool holds(QStringView characters, QChar digit);
};
