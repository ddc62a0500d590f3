#pragma once
#include "db/AppError.h"

// An error reported by the database engine, with its own message and result code.
class DatabaseError : public AppError {
public:
    enum class Origin {
        Engine,
        // The connection was never opened; the error repeats why the opening failed.
        FailedOpening,
    };
    DatabaseError(const QString &message, int code, Origin origin = Origin::Engine)
        : AppError(message), m_code(code), m_origin(origin)
    {
    }
    int code() const noexcept { return m_code; }
    bool repeatsFailedOpening() const noexcept { return m_origin == Origin::FailedOpening; }

private:
    int m_code;
    Origin m_origin;
};
