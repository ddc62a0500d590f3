#include "SampleDbFile.h"

#include "db/AppError.h"

#include <sqlite3.h>

SampleDbFile::SampleDbFile(const QString &path) : m_db(nullptr, &sqlite3_close)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                   nullptr);
    m_db.reset(raw); // a failed open still hands over a handle that must be closed
    if (rc != SQLITE_OK)
        throw AppError(raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc)));
}

void SampleDbFile::exec(const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db.get()));
        sqlite3_free(error);
        throw AppError(message);
    }
}

SampleDbStatement SampleDbFile::prepare(const std::string &sql)
{
    return SampleDbStatement(m_db.get(), sql);
}

std::int64_t SampleDbFile::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db.get());
}

std::int64_t SampleDbFile::integer(const std::string &sql)
{
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(m_db.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(m_db.get())));
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> stmt(raw, &sqlite3_finalize);
    const int rc = sqlite3_step(raw);
    if (rc == SQLITE_ROW)
        return sqlite3_column_int64(raw, 0);
    if (rc == SQLITE_DONE)
        return 0;
    throw AppError(QString::fromUtf8(sqlite3_errmsg(m_db.get())));
}
