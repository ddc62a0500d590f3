#include "gen/TVrnFiltreMetniCozucu2.h"

void TVrnFiltreMetniCozucu2::addPart(const QString &text, quint8 tag)
{
    TVrnFiltreMetniCozucu part;
    part.filterval = text.trimmed();
    part.fieldtype = fieldtype;
    part.fieldname = fieldname;
    part.tag = tag;
    part.coz();
    Fcozumler.append(part);
}

void TVrnFiltreMetniCozucu2::coz()
{
    Fcozumler.clear();
    if (filterval.isEmpty())
        return;
    int partStart = 0;
    quint8 tag = 0;
    for (int i = 0; i < filterval.size(); ++i) {
        const QChar c = filterval.at(i);
        if (c != QLatin1Char('&') && c != QLatin1Char('|'))
            continue;
        addPart(filterval.mid(partStart, i - partStart), tag);
        tag = c == QLatin1Char('|') ? 1 : 0;
        partStart = i + 1;
    }
    addPart(filterval.mid(partStart), tag);
}

QString TVrnFiltreMetniCozucu2::sqlSarti() const
{
    QString condition;
    for (const TVrnFiltreMetniCozucu &part : Fcozumler) {
        // An empty part would write the column and an empty literal, which is no valid SQL.
        if (part.isEmptyPart())
            continue;
        if (!condition.isEmpty())
            condition += part.tag == 1 ? QStringLiteral(" OR ") : QStringLiteral(" AND ");
        condition += QLatin1Char('(') + part.sqlSarti() + QLatin1Char(')');
    }
    return condition;
}
