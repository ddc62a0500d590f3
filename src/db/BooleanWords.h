#pragma once
#include <QString>
#include <QStringList>

// The process-wide words that text-to-boolean conversion accepts and that boolean-to-text
// conversion with words produces, paired by position. Until replaced: "True"/"False".
class BooleanWords {
public:
    static void setWords(const QStringList &trueWords, const QStringList &falseWords);
    static const QStringList &trueWords();
    static const QStringList &falseWords();

    // A number is true unless zero; otherwise the true words, then the false words, are compared
    // without regard to letter case. Anything else throws "'%s' is not a valid boolean value".
    static bool toBool(const QString &text);
    static bool tryToBool(const QString &text, bool *value);
    // The words in the first position ("E"/"H" once the data module has set them).
    static QString toText(bool value);
};
