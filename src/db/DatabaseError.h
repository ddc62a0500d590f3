#pragma once
#include "db/AppError.h"

// An error reported by the database engine, with its own message and result code.
class DatabaseError : public AppError {
public:
    DatabaseError(QString message, int code) : AppError(std::move(message)), m_code(code) {}
    int code() const noexcept { return m_code; }

private:
    int m_code;
};
