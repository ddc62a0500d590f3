#pragma once
#include <QLocale>

struct sqlite3;

// Registers the collation "TURKCE" on a connection: text compared as the user's language sorts it
// (Turkish in this program), ignoring case, so that a title-click ordering can run in the engine
// and give the same order as sorting the rows in memory with QCollator.
class LanguageCollation {
public:
    static constexpr const char *name = "TURKCE";

    // Throws DatabaseError when the engine refuses the registration.
    static void registerOn(sqlite3 *db, const QLocale &locale = QLocale());
};
