#include "backup/RegisterCopier.h"

#include "db/DatabaseError.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

constexpr QFileDevice::Permissions kOwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// One connection for the length of a copy or a check, closed on every path.
class Connection {
public:
    Connection(const QString &path, int flags)
    {
        // New files are created owner-only from the start: the umask is narrowed around the call.
        const mode_t previous = ::umask(077);
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
        ::umask(previous);
        if (rc != SQLITE_OK) {
            const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_close_v2(m_db);
            throw DatabaseError(message, rc);
        }
        sqlite3_extended_result_codes(m_db, 0);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }

    [[noreturn]] void fail(int rc) const
    {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        throw DatabaseError(message, rc);
    }

    QStringList quickCheck() const
    {
        sqlite3_stmt *statement = nullptr;
        int rc = sqlite3_prepare_v2(m_db, "PRAGMA quick_check", -1, &statement, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
        QStringList lines;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            fail(rc);
        return lines;
    }

private:
    sqlite3 *m_db = nullptr;
};

void copyPages(const Connection &from, const Connection &to)
{
    sqlite3_backup *backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup)
        to.fail(sqlite3_errcode(to.handle()));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throw DatabaseError(QString::fromUtf8(sqlite3_errstr(stepped)), stepped);
    if (finished != SQLITE_OK)
        to.fail(finished);
}

void checkConnection(const Connection &connection)
{
    const QStringList lines = connection.quickCheck();
    if (lines != QStringList{QStringLiteral("ok")})
        throw DatabaseError(lines.mid(0, 3).join(QLatin1Char('\n')), SQLITE_CORRUPT);
}

} // namespace

void RegisterCopier::copy(const QString &source, const QString &target)
{
    // The source is opened for writing, without creating it, so that a journal left by a crash
    // is rolled back before its pages are read.
    const Connection from(source, SQLITE_OPEN_READWRITE);
    try {
        const Connection to(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        copyPages(from, to);
        checkConnection(to);
    } catch (...) {
        QFile::remove(target);
        throw;
    }
    QFile::setPermissions(target, kOwnerOnlyFile);
}

void RegisterCopier::check(const QString &file)
{
    if (!QFile::exists(file))
        throw DatabaseError(QStringLiteral("unable to open database file"), SQLITE_CANTOPEN);
    const Connection connection(file, SQLITE_OPEN_READONLY);
    checkConnection(connection);
}
