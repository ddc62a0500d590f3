#include "StoredForms.h"

#include <QDate>

#include <cstdio>

namespace storedforms {

std::string dayText(std::int64_t julianDay)
{
    int year = 0, month = 0, day = 0;
    QDate::fromJulianDay(julianDay).getDate(&year, &month, &day);
    char text[16];
    std::snprintf(text, sizeof text, "%.4d-%.2d-%.2d", year, month, day);
    return text;
}

std::string timeText(int hour, int minute, int second, int millisecond)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d.%.3d", hour, minute, second, millisecond);
    return text;
}

} // namespace storedforms
