#include "db/BooleanWords.h"

#include "db/AppError.h"

#include <QLocale>

namespace {
QStringList &trueList()
{
    static QStringList words{QStringLiteral("True")};
    return words;
}
QStringList &falseList()
{
    static QStringList words{QStringLiteral("False")};
    return words;
}
bool sameWord(const QString &a, const QString &b)
{
    const QLocale locale;
    return locale.toLower(a) == locale.toLower(b);
}
} // namespace

void BooleanWords::setWords(const QStringList &trueWords, const QStringList &falseWords)
{
    trueList() = trueWords;
    falseList() = falseWords;
}

const QStringList &BooleanWords::trueWords() { return trueList(); }
const QStringList &BooleanWords::falseWords() { return falseList(); }

bool BooleanWords::tryToBool(const QString &text, bool *value)
{
    bool isNumber = false;
    double number = QLocale().toDouble(text.trimmed(), &isNumber);
    if (!isNumber)
        number = QLocale::c().toDouble(text.trimmed(), &isNumber);
    if (isNumber) {
        *value = number != 0;
        return true;
    }
    for (const QString &word : trueList()) {
        if (sameWord(text, word)) {
            *value = true;
            return true;
        }
    }
    for (const QString &word : falseList()) {
        if (sameWord(text, word)) {
            *value = false;
            return true;
        }
    }
    return false;
}

bool BooleanWords::toBool(const QString &text)
{
    bool value = false;
    if (!tryToBool(text, &value))
        throw AppError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    return value;
}

QString BooleanWords::toText(bool value)
{
    const QStringList &words = value ? trueList() : falseList();
    return words.isEmpty() ? QString() : words.first();
}
