#include "db/Database.h"

#include "db/DatabaseError.h"
#include "db/Statement.h"

#include <sqlite3.h>

Database::Database(QObject *parent) : QObject(parent) {}

Database::~Database() { close(); }

void Database::open(const QString &fileName)
{
    close();
    m_openError.clear();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db))
                                   : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        m_openError = message;
        throw DatabaseError(message, rc);
    }
    m_db = db;
    m_fileName = fileName;
    try {
        applyConnectionSettings();
    } catch (const DatabaseError &error) {
        close();
        m_openError = error.message();
        throw;
    }
}

// Exclusive locking keeps the file to this process; a second process fails at once with
// "database is locked" because no busy timeout is set. synchronous FULL makes a power cut lose
// at most the last change instead of corrupting the register.
void Database::applyConnectionSettings()
{
    sqlite3_busy_timeout(m_db, 0);
    sqlite3_extended_result_codes(m_db, 0);
    executeScript("PRAGMA cache_size=10000;"
                  "PRAGMA locking_mode=EXCLUSIVE;"
                  "PRAGMA synchronous=FULL;"
                  "PRAGMA journal_mode=DELETE;"
                  "PRAGMA foreign_keys=ON;");
}

void Database::close()
{
    if (!m_db)
        return;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void Database::raiseLastError() const
{
    if (!m_db)
        throw DatabaseError(m_openError.isEmpty() ? QStringLiteral("Database is not open") : m_openError,
                            SQLITE_MISUSE);
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)), sqlite3_errcode(m_db));
}

void Database::executeScript(const QString &script, bool ignoreMissingObjects)
{
    if (!m_db)
        raiseLastError();
    CommandScope scope(*this);
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, script.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    if (rc == SQLITE_OK)
        return;
    if (ignoreMissingObjects && rc == SQLITE_ERROR && message.startsWith(QLatin1String("no such")))
        return;
    throw DatabaseError(message.isEmpty() ? QString::fromUtf8(sqlite3_errstr(rc)) : message, rc);
}

int Database::execute(const QString &sql, const QVariantMap &params)
{
    CommandScope scope(*this);
    Statement statement(*this, sql);
    statement.bindAll(params);
    while (statement.step()) {
    }
    return sqlite3_changes(m_db);
}

QVariant Database::scalar(const QString &sql, const QVariantMap &params)
{
    CommandScope scope(*this);
    Statement statement(*this, sql);
    statement.bindAll(params);
    if (!statement.step())
        return {};
    return statement.columnValue(0);
}

void Database::loadExtension(const QString &path, const QString &entryPoint)
{
    if (!m_db)
        raiseLastError();
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 1, nullptr);
    char *error = nullptr;
    const int rc = sqlite3_load_extension(m_db, path.toUtf8().constData(),
                                          entryPoint.toUtf8().constData(), &error);
    const QString message = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        throw DatabaseError(message.isEmpty() ? QString::fromUtf8(sqlite3_errstr(rc)) : message, rc);
}

qint64 Database::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

void Database::beginTransaction() { executeScript("BEGIN"); }
void Database::commit() { executeScript("COMMIT"); }

void Database::rollback()
{
    if (inTransaction())
        executeScript("ROLLBACK");
}

bool Database::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

Database::CommandScope::CommandScope(const Database &db) : m_db(db)
{
    if (m_db.m_commandDepth++ == 0 && m_db.m_observer)
        m_db.m_observer(true);
}

Database::CommandScope::~CommandScope()
{
    if (--m_db.m_commandDepth == 0 && m_db.m_observer)
        m_db.m_observer(false);
}
