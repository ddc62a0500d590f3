#pragma once
#include <span>
#include <string_view>

// The words the sample data is made of. Provinces are in the order of their plate codes (01 to 81),
// so a province's index gives the first part of a licence plate.
namespace vocabulary {

using Words = std::span<const std::string_view>;

Words turkishMaleNames();
Words turkishFemaleNames();
Words turkishSurnames();
Words provinces();
Words districts();
Words quarters();
Words streets();
Words occupations();
Words foreignMaleNames();
Words foreignFemaleNames();
Words foreignSurnames();
Words foreignCities();
Words frequentForeignNationalities();
Words facilityKinds();
Words facilityWords();
Words roomDescriptions();
Words notes();
Words plateLetters();

} // namespace vocabulary
