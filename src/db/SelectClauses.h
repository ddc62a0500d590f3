#pragma once
#include <QString>

// The top-level clauses of a single SELECT statement, found without parsing expressions: the text
// between SELECT and FROM, the text from FROM up to ORDER BY, and the ordering terms. Quoted texts,
// names, comments and parenthesised subqueries are skipped over.
class SelectClauses {
public:
    // A statement counts as simple when it is one SELECT with a FROM and no top-level LIMIT,
    // compound operator (UNION, INTERSECT, EXCEPT), WITH or WINDOW clause.
    static SelectClauses parse(const QString &sql);

    bool isSimple() const { return m_simple; }
    // "*" for "SELECT * FROM ...", trimmed.
    const QString &selectList() const { return m_selectList; }
    // "FROM ... WHERE ... GROUP BY ... HAVING ...", everything before ORDER BY.
    const QString &body() const { return m_body; }
    // The terms after ORDER BY, trimmed; empty when the statement has no ORDER BY.
    const QString &orderTerms() const { return m_orderTerms; }

private:
    bool m_simple = false;
    QString m_selectList;
    QString m_body;
    QString m_orderTerms;
};
