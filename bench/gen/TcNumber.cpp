#include "TcNumber.h"

#include "SampleRandom.h"

std::array<int, 2> tcCheckDigits(const std::array<int, 9> &d)
{
    const int odd = d[0] + d[2] + d[4] + d[6] + d[8];
    const int even = d[1] + d[3] + d[5] + d[7];
    const int tenth = ((7 * odd - even) % 10 + 10) % 10;
    int sum = tenth;
    for (int digit : d)
        sum += digit;
    return {tenth, sum % 10};
}

bool tcNumberPassesCheck(std::uint64_t number)
{
    if (number < 10000000000ULL || number > 99999999999ULL)
        return false;
    std::array<int, 11> digits{};
    for (int i = 10; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = static_cast<int>(number % 10);
        number /= 10;
    }
    std::array<int, 9> firstNine{};
    for (std::size_t i = 0; i < 9; ++i)
        firstNine[i] = digits[i];
    return tcCheckDigits(firstNine) == std::array<int, 2>{digits[9], digits[10]};
}

std::uint64_t randomTcNumber(SampleRandom &random)
{
    std::array<int, 9> firstNine{};
    firstNine[0] = static_cast<int>(random.between(1, 9));
    for (std::size_t i = 1; i < 9; ++i)
        firstNine[i] = static_cast<int>(random.between(0, 9));
    std::uint64_t number = 0;
    for (int digit : firstNine)
        number = number * 10 + static_cast<std::uint64_t>(digit);
    const auto check = tcCheckDigits(firstNine);
    return number * 100 + static_cast<std::uint64_t>(check[0] * 10 + check[1]);
}
