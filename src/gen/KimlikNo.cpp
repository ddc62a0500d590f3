#include "gen/KimlikNo.h"

#include <QString>
#include <array>

namespace {

constexpr int kDigitCount = 11;

// The two check digits that follow the nine leading digits.
QString checkDigits(const std::array<int, 9> &d)
{
    const int oddPlaces = d[0] + d[2] + d[4] + d[6] + d[8];
    const int evenPlaces = d[1] + d[3] + d[5] + d[7];
    // 7 x odd - even goes below zero when the even places outweigh (possible only for a sum of
    // the odd places up to 5); the tenth digit is then the non-negative remainder, as on every
    // issued number.
    const int tenth = ((7 * oddPlaces - evenPlaces) % 10 + 10) % 10;
    int sum = tenth;
    for (int digit : d)
        sum += digit;
    return QString::number(tenth) + QString::number(sum % 10);
}

} // namespace

bool tcKimlikNoGecerli(quint64 value)
{
    const QString text = QString::number(value);
    if (text.size() != kDigitCount || text.front() == QLatin1Char('0'))
        return false;
    std::array<int, 9> leading{};
    for (int i = 0; i < 9; ++i)
        leading[size_t(i)] = text.at(i).digitValue();
    return text == text.left(9) + checkDigits(leading);
}
