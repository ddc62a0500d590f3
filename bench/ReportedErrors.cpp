#include "ReportedErrors.h"

#include "db/AppError.h"

ReportedErrors::ReportedErrors()
{
    ErrorSink::setHandler([this](const QString &message) { m_messages << message; });
}

ReportedErrors::~ReportedErrors()
{
    ErrorSink::setHandler(nullptr);
}

void ReportedErrors::throwIfAny() const
{
    if (!m_messages.isEmpty())
        throw AppError(m_messages.join(QLatin1Char('\n')));
}
