#pragma once

class Database;

// The columns the settings row gains for the keeping period of personal data, added to a
// register of any age at every start. The table of recorded erasures, SILINENLER, comes with the
// creation script.
//   AYAR.SAKLAMASURESI INT            keeping period in years; NULL keeps the data for ever
//   AYAR.SAKLAMAKONTROLTARIH DATE     the last day the keeping period was checked at start
class PrivacySchema {
public:
    static constexpr const char *kKeepingYearsColumn = "SAKLAMASURESI";
    static constexpr const char *kLastCheckColumn = "SAKLAMAKONTROLTARIH";

    // Adds what is missing; running it again changes nothing.
    static void ensure(Database &db);

private:
    static bool hasColumn(Database &db, const char *table, const char *column);
};
