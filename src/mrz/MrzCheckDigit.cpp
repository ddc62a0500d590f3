#include "mrz/MrzCheckDigit.h"

namespace {

int valueOf(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    if (c == u'<')
        return 0;
    return -1;
}

} // namespace

int MrzCheckDigit::of(QStringView characters)
{
    static constexpr int kWeights[] = {7, 3, 1};
    int sum = 0;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const int value = valueOf(characters[i]);
        if (value < 0)
            return -1;
        sum += value * kWeights[i % 3];
    }
    return sum % 10;
}

bool MrzCheckDigit::holds(QStringView characters, QChar digit)
{
    const int expected = of(characters);
    return expected >= 0 && digit.isDigit() && digit.digitValue() == expected;
}
