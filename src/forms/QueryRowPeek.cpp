#include "forms/QueryRowPeek.h"

#include <utility>

QueryRowPeek::QueryRowPeek(Query &query, int row)
    : m_query(query), m_silence(&query), m_afterScroll(std::exchange(query.onAfterScroll, nullptr)), m_savedRow(query.row())
{
    if (query.state() != Query::State::Browse || row < 0 || row >= query.loadedCount())
        return;
    m_positioned = query.moveTo(row);
}

QueryRowPeek::~QueryRowPeek()
{
    if (m_positioned && m_savedRow >= 0 && m_savedRow < m_query.loadedCount()) {
        try {
            m_query.moveTo(m_savedRow);
        } catch (...) {
            // A browsing query moves between loaded rows without touching the engine.
        }
    }
    m_query.onAfterScroll = std::move(m_afterScroll);
}
