#include "transliteration/Latin5Charset.h"

#include <QList>


namespace {

constexpr char32_t kTurkishLetters[] = {U'Ğ', U'ğ', U'İ', U'ı', U'Ş', U'ş'};
constexpr char32_t kReplacedLatin1[] = {U'Ð', U'ð', U'Ý', U'ý', U'Þ', U'þ'};

template <size_t N>
bool among(char32_t codePoint, const char32_t (&set)[N])
{
    for (char32_t c : set) {
        if (c == codePoint)
            return true;
    }
    return false;
}

} // namespace

bool Latin5Charset::encodable(char32_t codePoint)
{
    if (codePoint < 0x100)
        return !among(codePoint, kReplacedLatin1);
    return among(codePoint, kTurkishLetters);
}

QString Latin5Charset::firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (!encodable(codePoint))
            return text.mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
    }
    return {};
}

QString Latin5Charset::describe(const QString &character)
{
    const uint codePoint = character.isEmpty() ? 0 : character.toUcs4().value(0);
    QString shown = character;
    // A combining mark alone would sit on the quotation mark; it is shown on a dotted circle.
    if (QChar::category(char32_t(codePoint)) == QChar::Mark_NonSpacing)
        shown.prepend(QChar(0x25CC));
    const QString hex = QStringLiteral("%1").arg(codePoint, 4, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("\"%1\" (U+%2)").arg(shown, hex);
}
