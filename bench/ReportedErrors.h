#pragma once
#include "db/ErrorSink.h"

#include <QStringList>

// Collects what the program would show in its error box (the data module reports a failed start
// instead of raising), so that a worker fails instead of measuring a half-started module.
class ReportedErrors {
public:
    ReportedErrors();
    ~ReportedErrors();
    ReportedErrors(const ReportedErrors &) = delete;
    ReportedErrors &operator=(const ReportedErrors &) = delete;

    // Throws AppError with the collected messages, if any.
    void throwIfAny() const;

private:
    QStringList m_messages;
};
