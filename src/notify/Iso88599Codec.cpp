#include "notify/Iso88599Codec.h"

namespace {

struct TurkishLetter {
    char16_t unicode;
    unsigned char byte;
};

constexpr TurkishLetter turkishLetters[] = {
    {u'Ğ', 0xD0}, {u'İ', 0xDD}, {u'Ş', 0xDE},
    {u'ğ', 0xF0}, {u'ı', 0xFD}, {u'ş', 0xFE},
};

// The Latin-1 letters whose places the Turkish letters took: Ð Ý Þ ð ý þ.
bool isDisplacedLatin1(char16_t c)
{
    for (const TurkishLetter &letter : turkishLetters) {
        if (letter.byte == c)
            return true;
    }
    return false;
}

} // namespace

QByteArray Iso88599Codec::encode(QStringView text)
{
    // One byte for each character at most: written in place, cut to length at the end.
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    qsizetype written = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out[written++] = substitute;
            ++i;
        } else {
            out[written++] = encodeBmpCharacter(c);
        }
    }
    bytes.truncate(written);
    return bytes;
}

char Iso88599Codec::encodeBmpCharacter(char16_t c)
{
    if (c < 0x100)
        return isDisplacedLatin1(c) ? substitute : char(c);
    for (const TurkishLetter &letter : turkishLetters) {
        if (letter.unicode == c)
            return char(letter.byte);
    }
    return substitute;
}
