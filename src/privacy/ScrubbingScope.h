#pragma once
#include <QString>

class Database;

// The conditions under which identity data is erased so that it does not linger in the file:
// with secure_delete the engine overwrites the freed bytes of every changed row with zeros, and
// with the TRUNCATE journal the rollback journal, which holds the old pages during the change,
// is cut to nothing at the commit. (With the exclusive lock the usual DELETE journal is kept
// beside the register with its old pages until the program ends.) Both settings go back to the
// connection's own when the scope ends.
class ScrubbingScope {
public:
    explicit ScrubbingScope(Database &db);
    ~ScrubbingScope();
    ScrubbingScope(const ScrubbingScope &) = delete;
    ScrubbingScope &operator=(const ScrubbingScope &) = delete;

    // Rebuilds the file without free pages or stale bytes left by earlier changes. The engine
    // refuses while a statement of the connection is still reading (a list not read to its
    // end); then the rebuild at the next start does it, and false is returned.
    bool compact();

private:
    bool hasReadingStatements() const;

    Database &m_db;
    QString m_journalMode;
    QString m_secureDelete;
};
