#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

// What the sample-data generator is asked to make, read from its command line.
struct GeneratorOptions {
    QString outputPath;
    int facilities = 3;
    int roomsPerFacility = 40;
    std::int64_t stays = 200000;
    std::int64_t present = 300;
    int inactiveFacilities = 0;
    // Region letters handed out to the facilities in turn: "PJ" alternates, "PPJ" makes two
    // police facilities for each gendarmerie one.
    QString regionPattern = QStringLiteral("PJ");
    QDate today = QDate::currentDate();
    std::uint64_t seed = 1;
    bool force = false;

    // Reads the arguments (the program name first). Throws AppError with a message for the user
    // when an option is missing or out of range; prints the help and exits for --help.
    static GeneratorOptions fromArguments(const QStringList &arguments);
};
