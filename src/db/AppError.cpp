#include "db/AppError.h"

#include "db/EngineMessageTranslation.h"

AppError::AppError(const QString &message)
    : m_original(message), m_message(EngineMessageTranslation::operatorText(message)), m_utf8(m_message.toUtf8())
{
}
