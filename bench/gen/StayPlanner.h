#pragma once
#include <cstdint>
#include <optional>
#include <vector>

class SampleRandom;

// The dates of one stay, decided before any guest is made. Days are Julian day numbers.
struct StayPlan {
    enum class Kind : std::uint8_t { Past, Open, LeavesLater, ArrivesToday, Future };

    std::int64_t arrival = 0;
    std::optional<std::int64_t> departure;
    Kind kind = Kind::Past;
    bool incomplete = false; // a row with a required value missing
};

// Decides the dates of all stays around "today". A guest is present on a day D when D lies between
// the arrival day and the day before the departure day, or there is no departure and D is on or
// after the arrival, or the arrival is D. Exactly the requested number of stays is present today;
// past stays have all left by today (leaving today does not count as present), future stays
// arrive after today.
class StayPlanner {
public:
    StayPlanner(std::int64_t today, SampleRandom &random) : m_today(today), m_random(random) {}

    // The plans in order of arrival, as a register fills up over time.
    std::vector<StayPlan> plan(std::int64_t stays, std::int64_t present);

    // How many of the stays that are not present arrive after today: a few, about 0.2%.
    static std::int64_t futureCount(std::int64_t stays, std::int64_t present);
    // How many rows lack a required value: about 0.5%, at least one.
    static std::int64_t incompleteCount(std::int64_t stays);

private:
    StayPlan pastStay();
    StayPlan presentStay();
    StayPlan futureStay();
    void markIncomplete(std::vector<StayPlan> &plans);

    std::int64_t m_today;
    SampleRandom &m_random;
};
