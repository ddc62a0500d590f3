#pragma once
#include <QString>

// The characters that ISO-8859-9 (Latin-5, the Turkish code page of the notification file) can
// hold: Latin-1 with Ğ ğ İ ı Ş ş in place of the Icelandic Ð ð Ý ý Þ þ.
class Latin5Charset {
public:
    static bool encodable(char32_t codePoint);
    // The first character of the text that the code page cannot hold (a surrogate pair stays
    // whole), or an empty text when it can hold all of them.
    static QString firstUnencodable(const QString &text);
    // The character as the operator reads it in a message: itself and its code point, so that a
    // combining mark or an invisible character can still be told.
    static QString describe(const QString &character);
};
