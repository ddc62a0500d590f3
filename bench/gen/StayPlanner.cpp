#include "StayPlanner.h"

#include "SampleRandom.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::int64_t kHistoryDays = 3650; // about ten years of past stays

} // namespace

std::int64_t StayPlanner::futureCount(std::int64_t stays, std::int64_t present)
{
    const std::int64_t notPresent = stays - present;
    return std::min(std::max<std::int64_t>(1, notPresent / 500), notPresent / 2);
}

std::int64_t StayPlanner::incompleteCount(std::int64_t stays)
{
    return stays == 0 ? 0 : std::max<std::int64_t>(1, stays / 200);
}

std::vector<StayPlan> StayPlanner::plan(std::int64_t stays, std::int64_t present)
{
    const std::int64_t future = futureCount(stays, present);
    std::vector<StayPlan> plans;
    plans.reserve(static_cast<std::size_t>(stays));
    for (std::int64_t i = 0; i < stays - present - future; ++i)
        plans.push_back(pastStay());
    for (std::int64_t i = 0; i < present; ++i)
        plans.push_back(presentStay());
    for (std::int64_t i = 0; i < future; ++i)
        plans.push_back(futureStay());
    // stable, so equal arrival days keep the order above and the result depends on the seed alone
    std::stable_sort(plans.begin(), plans.end(),
                     [](const StayPlan &a, const StayPlan &b) { return a.arrival < b.arrival; });
    markIncomplete(plans);
    return plans;
}

StayPlan StayPlanner::pastStay()
{
    StayPlan stay;
    stay.arrival = m_today - m_random.between(1, kHistoryDays);
    const int roll = static_cast<int>(m_random.between(0, 99));
    const std::int64_t nights = roll < 5    ? 0
                                : roll < 65 ? m_random.between(1, 3)
                                : roll < 90 ? m_random.between(4, 7)
                                            : m_random.between(8, 21);
    // the last guests of the past leave today at the latest, which is not a present stay
    stay.departure = std::min(stay.arrival + nights, m_today);
    return stay;
}

StayPlan StayPlanner::presentStay()
{
    StayPlan stay;
    const int roll = static_cast<int>(m_random.between(0, 99));
    if (roll < 15) {
        // arriving today is present whatever the departure, even leaving the same day
        stay.kind = StayPlan::Kind::ArrivesToday;
        stay.arrival = m_today;
        const int departure = static_cast<int>(m_random.between(0, 9));
        if (departure == 0)
            stay.departure = m_today;
        else if (departure < 6)
            stay.departure = m_today + m_random.between(1, 7);
    } else if (roll < 60) {
        stay.kind = StayPlan::Kind::Open;
        stay.arrival = m_today - (m_random.chance(50) ? m_random.between(46, 400) : m_random.between(0, 45));
    } else {
        stay.kind = StayPlan::Kind::LeavesLater;
        stay.arrival = m_today - m_random.between(0, 14);
        stay.departure = m_today + m_random.between(1, 14);
    }
    return stay;
}

StayPlan StayPlanner::futureStay()
{
    StayPlan stay;
    stay.kind = StayPlan::Kind::Future;
    stay.arrival = m_today + m_random.between(1, 90);
    if (m_random.chance(800))
        stay.departure = stay.arrival + m_random.between(1, 10);
    return stay;
}

void StayPlanner::markIncomplete(std::vector<StayPlan> &plans)
{
    const auto wanted = std::min<std::int64_t>(incompleteCount(static_cast<std::int64_t>(plans.size())),
                                               static_cast<std::int64_t>(plans.size()));
    for (std::int64_t marked = 0; marked < wanted;) {
        StayPlan &plan = plans[static_cast<std::size_t>(m_random.between(0, static_cast<std::int64_t>(plans.size()) - 1))];
        if (!plan.incomplete) {
            plan.incomplete = true;
            ++marked;
        }
    }
}
