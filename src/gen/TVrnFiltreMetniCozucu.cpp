#include "gen/TVrnFiltreMetniCozucu.h"

#include "gen/SqlLiteral.h"

#include <QLocale>

namespace {

constexpr int kMaxValueLength = 60;

bool isOperatorChar(QChar c)
{
    return c == QLatin1Char('!') || c == QLatin1Char('<') || c == QLatin1Char('=') || c == QLatin1Char('>')
        || c == QLatin1Char('?');
}

bool consistsOfOperatorChars(const QString &text)
{
    for (QChar c : text) {
        if (!isOperatorChar(c))
            return false;
    }
    return true;
}

bool isLikeOperator(const QString &op)
{
    return op == QLatin1String("LIKE") || op == QLatin1String("NOT LIKE");
}

// The first 60 characters, without leaving half of a surrogate pair at the end.
QString cutToMaxLength(const QString &value)
{
    if (value.size() <= kMaxValueLength)
        return value;
    QString cut = value.left(kMaxValueLength);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

} // namespace

void TVrnFiltreMetniCozucu::coz()
{
    valstart = 1;
    searchval.clear();
    searchval2.clear();
    useop.clear();
    betweenActive = false;
    usenot = false;
    isnum = false;

    const bool allOperators = consistsOfOperatorChars(filterval);
    const bool hasOperatorPrefix = !filterval.isEmpty() && isOperatorChar(filterval.front()) && !allOperators;

    // A dash in the first position is a sign ("-5"), not the separator of a range.
    const int rangeDash = filterval.lastIndexOf(QLatin1Char('-'));
    if (!hasOperatorPrefix && filterval.size() > 2 && rangeDash >= 1) {
        searchval = filterval.left(rangeDash);
        searchval2 = filterval.mid(rangeDash + 1);
        betweenActive = true;
        return;
    }

    QString op;
    bool negate = false;
    int position = 0;
    for (; position < filterval.size() && isOperatorChar(filterval.at(position)); ++position) {
        const QChar c = filterval.at(position);
        if (c == QLatin1Char('!'))
            negate = !negate;
        else if (c == QLatin1Char('='))
            op = (op == QLatin1String("<") || op == QLatin1String(">")) ? op + c : QString(c);
        else
            op = c; // "?", ">" and "<" replace what came before, so "<>" reads as ">"
    }
    valstart = position + 1;

    QString value = allOperators ? filterval : filterval.mid(position);
    value.remove(QLatin1Char('?'));
    value = cutToMaxLength(value);

    // The value stays as typed: the literal is written from it once (sqlDegerVer), because
    // normalising it here too would read "1,000" (one) as one thousand.
    if (filterColumnClass(fieldtype) == FilterColumnClass::Numeric) {
        QLocale().toDouble(value, &isnum);
        if (op.isEmpty())
            op = QStringLiteral("=");
    }
    if (op.isEmpty() && !value.isEmpty())
        op = QStringLiteral("%");

    useop = op;
    searchval = value;
    usenot = negate;
}

QString TVrnFiltreMetniCozucu::sqlOperator() const
{
    struct Entry {
        const char *op;
        const char *plain;
        const char *negated;
    };
    static const Entry table[] = {
        {"=", "=", "<>"},       {">", ">", "<"},     {"<", "<", ">"},
        {">=", ">=", "<="},     {"<=", "<=", ">="},  {"%", "LIKE", "NOT LIKE"},
        {"?", "IS NULL", "IS NOT NULL"},
    };
    for (const Entry &entry : table) {
        if (useop == QLatin1String(entry.op))
            return QString::fromLatin1(usenot ? entry.negated : entry.plain);
    }
    return QString();
}

QString TVrnFiltreMetniCozucu::rightHandSide(const QString &op) const
{
    const QString blank = QStringLiteral(" ");
    switch (filterColumnClass(fieldtype)) {
    case FilterColumnClass::Boolean:
        return op + blank + sqlDegerVer(searchval, FieldType::Boolean);
    case FilterColumnClass::Numeric:
        if (isnum && !forcestr)
            return op + blank + sqlDegerVer(searchval, fieldtype);
        return op + blank + sqlDegerVer(searchval, FieldType::String);
    case FilterColumnClass::Date:
    case FilterColumnClass::DateTime:
        return op + blank + sqlDegerVer(searchval, fieldtype);
    case FilterColumnClass::Text:
        if (searchval.contains(QLatin1Char('%'))) // the user's own wildcards, nothing added
            return op + blank + sqlDegerVer(searchval, FieldType::String);
        if (isLikeOperator(op))
            return op + QStringLiteral(" '%") + sqlEscape(searchval) + QStringLiteral("%'");
        return op + sqlDegerVer(searchval, FieldType::String);
    case FilterColumnClass::Other:
        break;
    }
    return QString();
}

// SQLite's LIKE folds only ASCII letters, so a value with a Turkish i is also looked for with
// its other form: "ali" finds "ALİ" too.
QString TVrnFiltreMetniCozucu::withDottedAndDotlessI(QString condition, const QString &value)
{
    struct Alternative {
        char16_t from;
        char16_t to;
    };
    static const Alternative alternatives[] = {{u'i', u'\u0130'}, {u'\u0130', u'i'}, {u'\u0131', u'I'}};
    for (const Alternative &alternative : alternatives) {
        if (!value.contains(QChar(alternative.from)))
            continue;
        QString other = condition;
        other.replace(QChar(alternative.from), QChar(alternative.to));
        condition = QLatin1Char('(') + condition + QStringLiteral(" OR ") + other + QLatin1Char(')');
    }
    return condition;
}

QString TVrnFiltreMetniCozucu::sqlSarti() const
{
    const QString op = sqlOperator();
    if (useop == QLatin1String("?"))
        return fieldname + QLatin1Char(' ') + op;
    if (betweenActive)
        return fieldname + QStringLiteral(" BETWEEN ") + sqlDegerVer(searchval, fieldtype) + QStringLiteral(" AND ")
            + sqlDegerVer(searchval2, fieldtype);
    const QString condition = fieldname + QLatin1Char(' ') + rightHandSide(op);
    return isLikeOperator(op) ? withDottedAndDotlessI(condition, searchval) : condition;
}
