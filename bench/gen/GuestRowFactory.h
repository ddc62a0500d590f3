#pragma once
#include "GuestRow.h"
#include "StayPlanner.h"

#include <string>
#include <vector>

class SampleRandom;

// Makes the guest of a planned stay: about 85% Turkish citizens with a valid identity number and,
// mostly, their civil-registry data; the rest foreign guests with a passport and without any
// Turkish identity data. A stay planned as incomplete lacks one value the program requires.
class GuestRowFactory {
public:
    // foreignNationalities: the seeded nationality codes other than "TC", in id order.
    GuestRowFactory(SampleRandom &random, std::vector<std::string> foreignNationalities);

    GuestRow make(const StayPlan &plan, std::int64_t roomId);

private:
    void fillCitizen(GuestRow &row, bool male);
    void fillForeigner(GuestRow &row, bool male);
    void fillStayTimes(GuestRow &row, const StayPlan &plan);
    void fillBirthAndFamily(GuestRow &row, const StayPlan &plan);
    void leaveOneRequiredValueOut(GuestRow &row);
    std::string turkishAddress();
    std::string plateNumber();
    std::string digits(int count);

    SampleRandom &m_random;
    std::vector<std::string> m_foreignNationalities;
};
