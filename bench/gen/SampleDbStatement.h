#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement that is bound, run and reset for every row, so one INSERT serves all rows.
// Errors throw AppError with the engine's text.
class SampleDbStatement {
public:
    SampleDbStatement(sqlite3 *db, const std::string &sql);

    void bindNull(int index);
    void bind(int index, std::int64_t value);
    void bind(int index, const std::string &value);
    void bind(int index, const std::optional<std::string> &value);
    void bind(int index, const std::optional<std::int64_t> &value);

    // Runs the statement once, then clears it for the next row.
    void run();

private:
    void check(int rc) const;

    sqlite3 *m_db;
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> m_stmt;
};
