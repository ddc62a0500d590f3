#include "notify/PresentGuestsPerCode.h"

#include "db/AppError.h"
#include "db/Statement.h"

PresentGuestsPerCode::PresentGuestsPerCode(Database &db, const QDate &day, QString sql)
    : m_db(db), m_day(day), m_sql(std::move(sql))
{
}

PresentGuestsPerCode::~PresentGuestsPerCode() = default;

const Statement &PresentGuestsPerCode::start(qint64 tesisKodu)
{
    m_guests.reset();
    m_guests = std::make_unique<Statement>(m_db, m_sql);
    m_guests->bind(QStringLiteral("tarih"), m_day);
    m_guests->bind(QStringLiteral("tesiskodu"), tesisKodu);
    return *m_guests;
}

bool PresentGuestsPerCode::next()
{
    if (!m_guests)
        throw AppError(QStringLiteral("No facility code started"));
    return m_guests->step();
}
