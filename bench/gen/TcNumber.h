#pragma once
#include <array>
#include <cstdint>

class SampleRandom;

// Turkish identity numbers for the sample data: eleven digits, no leading zero, the last two
// digits computed from the first nine.

// The tenth and eleventh digit for the first nine digits. The remainder of 7 x odd-place sum minus
// even-place sum is taken non-negative, so a negative difference still yields a digit.
std::array<int, 2> tcCheckDigits(const std::array<int, 9> &firstNine);

// True when the number has eleven digits, does not start with 0 and ends in its check digits.
bool tcNumberPassesCheck(std::uint64_t number);

// A random valid number.
std::uint64_t randomTcNumber(SampleRandom &random);
