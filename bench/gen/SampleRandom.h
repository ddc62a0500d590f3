#pragma once
#include <cstdint>
#include <random>
#include <span>

// The one source of chance of the generator. The engine is fixed by the standard and the bounded
// draws are our own arithmetic (the standard distributions differ between library vendors), so a
// seed gives the same data on every machine.
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed) : m_engine(seed) {}

    // An integer in [low, high], both included.
    std::int64_t between(std::int64_t low, std::int64_t high);
    // True with the given chance in per mille.
    bool chance(int perMille) { return between(0, 999) < perMille; }

    template <typename T>
    const T &pick(std::span<const T> items)
    {
        return items[static_cast<std::size_t>(between(0, static_cast<std::int64_t>(items.size()) - 1))];
    }

private:
    std::mt19937_64 m_engine;
};
