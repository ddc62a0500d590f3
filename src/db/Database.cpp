#include "db/Database.h"

#include "db/DatabaseError.h"
#include "db/LanguageCollation.h"
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
        m_openError = error.originalText();
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
    LanguageCollation::registerOn(m_db);
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
                            SQLITE_MISUSE, DatabaseError::Origin::FailedOpening);
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)), sqlite3_errcode(m_db));
}

namespace {
bool isInsert(const char *sql)
{
    while (*sql == ' ' || *sql == '\t' || *sql == '\r' || *sql == '\n')
        ++sql;
    return sqlite3_strnicmp(sql, "INSERT", 6) == 0;
}
} // namespace

// Statements run one after the other in text order. A run of consecutive INSERT statements
// shares one transaction: the rows are the same as with one commit per statement, but the disk
// is synchronised once per run instead of once per row.
void Database::executeScript(const QString &script, bool ignoreMissingObjects)
{
    if (!m_db)
        raiseLastError();
    CommandScope scope(*this);
    const QByteArray text = script.toUtf8();
    const char *next = text.constData();
    bool grouping = false;
    int rc = SQLITE_OK;
    QString message;
    while (*next) {
        sqlite3_stmt *statement = nullptr;
        const char *current = next;
        rc = sqlite3_prepare_v2(m_db, current, -1, &statement, &next);
        if (rc != SQLITE_OK) {
            message = QString::fromUtf8(sqlite3_errmsg(m_db));
            break;
        }
        if (!statement)
            continue; // blanks or a comment after the last statement
        const bool insert = isInsert(current);
        if (insert && !grouping && sqlite3_get_autocommit(m_db)) {
            sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
            grouping = true;
        } else if (!insert && grouping) {
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
            grouping = false;
        }
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            break;
        rc = SQLITE_OK;
    }
    // What ran before an error stays, as it would with one commit per statement.
    if (grouping && sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK && rc == SQLITE_OK) {
        rc = sqlite3_errcode(m_db);
        message = QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    if (rc == SQLITE_OK)
        return;
    if (ignoreMissingObjects && (rc & 0xff) == SQLITE_ERROR && message.startsWith(QLatin1String("no such")))
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
