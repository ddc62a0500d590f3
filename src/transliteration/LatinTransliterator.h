#pragma once
#include <QString>

// Brings a text into what the notification file can hold, as a person would write it in Latin
// letters: first every letter typed in decomposed form is composed (S + combining cedilla
// becomes Ş), then only the characters that ISO-8859-9 cannot hold are transliterated
// (Ł → L, Þ → Th, Иван → Ivan). Turkish letters and the other Latin-5 letters are left as they
// are. What has no Latin form (a pictograph) stays, so the caller checks the result again.
class LatinTransliterator {
public:
    static QString toLatin5(const QString &text);
};
