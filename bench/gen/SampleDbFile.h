#pragma once
#include "SampleDbStatement.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3;

// The connection to the database file being filled. Errors throw AppError with the engine's text.
class SampleDbFile {
public:
    explicit SampleDbFile(const QString &path);

    // Runs one or more statements.
    void exec(const QString &sql);
    SampleDbStatement prepare(const std::string &sql);
    std::int64_t lastInsertId() const;
    // The first column of the first row of a query, as an integer.
    std::int64_t integer(const std::string &sql);

    sqlite3 *handle() const { return m_db.get(); }

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3 *)> m_db;
};
