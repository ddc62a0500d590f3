#pragma once
#include <cstdint>
#include <string>

// Dates and times in the forms the program stores: "YYYY-MM-DD" and "HH:MM:SS.mmm". Days are
// Julian day numbers, so the generator can count with them.
namespace storedforms {

std::string dayText(std::int64_t julianDay);
std::string timeText(int hour, int minute, int second, int millisecond);

} // namespace storedforms
