#include "SampleDbStatement.h"

#include "db/AppError.h"

#include <sqlite3.h>

SampleDbStatement::SampleDbStatement(sqlite3 *db, const std::string &sql)
    : m_db(db), m_stmt(nullptr, &sqlite3_finalize)
{
    sqlite3_stmt *raw = nullptr;
    check(sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &raw, nullptr));
    m_stmt.reset(raw);
}

void SampleDbStatement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt.get(), index));
}

void SampleDbStatement::bind(int index, std::int64_t value)
{
    check(sqlite3_bind_int64(m_stmt.get(), index, value));
}

void SampleDbStatement::bind(int index, const std::string &value)
{
    check(sqlite3_bind_text(m_stmt.get(), index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
}

void SampleDbStatement::bind(int index, const std::optional<std::string> &value)
{
    value ? bind(index, *value) : bindNull(index);
}

void SampleDbStatement::bind(int index, const std::optional<std::int64_t> &value)
{
    value ? bind(index, *value) : bindNull(index);
}

void SampleDbStatement::run()
{
    const int rc = sqlite3_step(m_stmt.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        check(rc);
    check(sqlite3_reset(m_stmt.get()));
    check(sqlite3_clear_bindings(m_stmt.get()));
}

void SampleDbStatement::check(int rc) const
{
    if (rc != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}
