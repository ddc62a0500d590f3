#include "db/SelectClauses.h"

#include <QList>

namespace {

struct Word {
    QString upper;
    int start;
    int end;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Index just past a quoted text or name that starts at i.
int skipQuoted(const QString &sql, int i)
{
    const QChar open = sql.at(i);
    const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : open;
    for (int j = i + 1; j < sql.size(); ++j) {
        if (sql.at(j) != close)
            continue;
        if (close != QLatin1Char(']') && j + 1 < sql.size() && sql.at(j + 1) == close) {
            ++j; // a doubled quote stands for itself
            continue;
        }
        return j + 1;
    }
    return int(sql.size());
}

// The words outside parentheses, quotes and comments, in text order.
QList<Word> topLevelWords(const QString &sql)
{
    QList<Word> words;
    int depth = 0;
    int i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            i = skipQuoted(sql, i);
        } else if (c == QLatin1Char('-') && sql.mid(i, 2) == QLatin1String("--")) {
            const int end = int(sql.indexOf(QLatin1Char('\n'), i));
            i = end < 0 ? int(sql.size()) : end + 1;
        } else if (c == QLatin1Char('/') && sql.mid(i, 2) == QLatin1String("/*")) {
            const int end = int(sql.indexOf(QLatin1String("*/"), i + 2));
            i = end < 0 ? int(sql.size()) : end + 2;
        } else if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
        } else if (c == QLatin1Char(')')) {
            --depth;
            ++i;
        } else if (isWordChar(c)) {
            const int start = i;
            while (i < sql.size() && isWordChar(sql.at(i)))
                ++i;
            if (depth == 0)
                words.append({sql.mid(start, i - start).toUpper(), start, i});
        } else {
            ++i;
        }
    }
    return words;
}

} // namespace

SelectClauses SelectClauses::parse(const QString &sql)
{
    SelectClauses clauses;
    const QList<Word> words = topLevelWords(sql);
    if (words.isEmpty() || words.first().upper != QLatin1String("SELECT"))
        return clauses;
    int from = -1;
    int orderBy = -1;
    for (int w = 0; w < words.size(); ++w) {
        const QString &word = words[w].upper;
        if (word == QLatin1String("LIMIT") || word == QLatin1String("UNION") || word == QLatin1String("INTERSECT")
            || word == QLatin1String("EXCEPT") || word == QLatin1String("WINDOW") || word == QLatin1String("WITH"))
            return clauses;
        if (word == QLatin1String("FROM") && from < 0)
            from = w;
        if (word == QLatin1String("ORDER") && w + 1 < words.size() && words[w + 1].upper == QLatin1String("BY")
            && from >= 0)
            orderBy = w;
    }
    if (from < 0)
        return clauses;
    const int bodyStart = words[from].start;
    const int bodyEnd = orderBy >= 0 ? words[orderBy].start : int(sql.size());
    clauses.m_selectList = sql.mid(words.first().end, bodyStart - words.first().end).trimmed();
    clauses.m_body = sql.mid(bodyStart, bodyEnd - bodyStart).trimmed();
    if (orderBy >= 0)
        clauses.m_orderTerms = sql.mid(words[orderBy + 1].end).trimmed();
    clauses.m_simple = true;
    return clauses;
}
