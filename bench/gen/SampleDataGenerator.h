#pragma once
#include "GeneratorOptions.h"

#include <cstdint>
#include <vector>

class SampleDbFile;
class SampleRandom;

// What a run wrote, counted back from the file.
struct GenerationSummary {
    std::int64_t facilities = 0;
    std::int64_t rooms = 0;
    std::int64_t stays = 0;
    std::int64_t presentToday = 0; // by the day condition of the export
    std::int64_t futureStays = 0;
    std::int64_t openStays = 0; // without a departure day
    double seconds = 0;
};

// Creates a database file through the program's own creation script and fills it with facilities,
// rooms and stays. Everything is decided by the seed and the options, never by the clock (unless
// --today is left to default).
class SampleDataGenerator {
public:
    explicit SampleDataGenerator(GeneratorOptions options) : m_options(std::move(options)) {}

    // Throws AppError on any failure; the half-written file is removed then.
    GenerationSummary run();

private:
    void prepareOutputFile() const;
    GenerationSummary fill();
    std::vector<std::int64_t> insertFacilitiesAndRooms(SampleDbFile &db, SampleRandom &random);
    void insertStays(SampleDbFile &db, SampleRandom &random, const std::vector<std::int64_t> &roomIds);
    static GenerationSummary count(SampleDbFile &db, std::int64_t today);

    GeneratorOptions m_options;
};
