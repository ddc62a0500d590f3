#pragma once
#include "db/Query.h"

#include <QSignalBlocker>

// Puts a query on one of its loaded rows for as long as the object lives, so that code which
// reads "the current row" (the guest validator) can look at a row a grid is drawing, and puts it
// back afterwards. The move is not announced: no row-change signal, no after-scroll handler, so
// the grid does not follow it and nothing repaints. Only a browsing query is moved, and only to
// a row already loaded, so no row is read behind the grid's back.
class QueryRowPeek {
public:
    QueryRowPeek(Query &query, int row);
    ~QueryRowPeek();
    QueryRowPeek(const QueryRowPeek &) = delete;
    QueryRowPeek &operator=(const QueryRowPeek &) = delete;

    // Whether the query stands on the requested row.
    bool isPositioned() const { return m_positioned; }

private:
    Query &m_query;
    QSignalBlocker m_silence;
    Query::Handler m_afterScroll;
    int m_savedRow;
    bool m_positioned = false;
};
