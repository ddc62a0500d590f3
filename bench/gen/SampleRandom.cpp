#include "SampleRandom.h"

#include <stdexcept>

std::int64_t SampleRandom::between(std::int64_t low, std::int64_t high)
{
    if (high < low)
        throw std::invalid_argument("SampleRandom::between: empty range");
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    if (span == 0) // the whole 64-bit range
        return static_cast<std::int64_t>(m_engine());
    // Multiply-and-shift maps a 64-bit draw onto the range; the bias is below 2^-40 for our ranges.
    const auto wide = static_cast<unsigned __int128>(m_engine()) * span;
    return low + static_cast<std::int64_t>(wide >> 64);
}
