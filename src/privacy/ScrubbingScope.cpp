#include "privacy/ScrubbingScope.h"

#include "db/Database.h"
#include "db/ErrorSink.h"

#include <sqlite3.h>

ScrubbingScope::ScrubbingScope(Database &db)
    : m_db(db),
      m_journalMode(db.scalar(QStringLiteral("PRAGMA journal_mode")).toString()),
      m_secureDelete(db.scalar(QStringLiteral("PRAGMA secure_delete")).toString())
{
    // The pragma reports the fast variant as 2 but is set back to it only by its name.
    if (m_secureDelete == QLatin1String("2"))
        m_secureDelete = QStringLiteral("FAST");
    m_db.scalar(QStringLiteral("PRAGMA secure_delete=ON"));
    m_db.scalar(QStringLiteral("PRAGMA journal_mode=TRUNCATE"));
}

ScrubbingScope::~ScrubbingScope()
{
    // A destructor must not throw; a setting that cannot be put back is reported.
    ErrorSink::guard([this] {
        m_db.scalar(QStringLiteral("PRAGMA journal_mode=%1").arg(m_journalMode));
        m_db.scalar(QStringLiteral("PRAGMA secure_delete=%1").arg(m_secureDelete));
    });
}

bool ScrubbingScope::compact()
{
    if (m_db.inTransaction() || hasReadingStatements())
        return false;
    m_db.executeScript(QStringLiteral("VACUUM;"));
    return true;
}

bool ScrubbingScope::hasReadingStatements() const
{
    for (sqlite3_stmt *statement = sqlite3_next_stmt(m_db.handle(), nullptr); statement;
         statement = sqlite3_next_stmt(m_db.handle(), statement)) {
        if (sqlite3_stmt_busy(statement))
            return true;
    }
    return false;
}
