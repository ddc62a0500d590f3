#include "gen/GridFilter.h"

#include "db/AppError.h"
#include "db/Query.h"
#include "gen/TVrnFiltreMetniCozucu2.h"

#include <QHash>
#include <QStringList>

namespace {

const QString kNeutral = QStringLiteral("1");

// Field names are compared without regard to the case of ASCII letters, like the set's keys.
QString nameKey(const QString &fieldName)
{
    QString key = fieldName;
    for (QChar &c : key) {
        if (c.unicode() < 128)
            c = c.toUpper();
    }
    return key;
}

struct ExpressionMaps {
    QHash<QString, QString> where;
    QHash<QString, QString> having;
};

// Every one of the 256 entries is looked at; the first entry of a name decides.
ExpressionMaps expressionMaps(const Tmyfieldset &fieldset)
{
    ExpressionMaps maps;
    for (int index = 0; index < Tmyfieldset::EntryCount; ++index) {
        const QString &name = fieldset.alanadi(index);
        if (name.isEmpty())
            continue;
        const QString key = nameKey(name);
        if (!fieldset.sqlexp(index).isEmpty()) {
            if (!maps.where.contains(key))
                maps.where.insert(key, fieldset.sqlexp(index));
        } else if (!fieldset.sqlhexp(index).isEmpty()) {
            if (!maps.having.contains(key))
                maps.having.insert(key, fieldset.sqlhexp(index));
        }
    }
    return maps;
}

void setFilterMacro(Query &query, const QString &name, const QString &conditions)
{
    if (!conditions.isEmpty())
        query.setMacro(name, conditions);
    else if (query.macro(name) != kNeutral)
        query.setMacro(name, kNeutral);
}

// Items separated by ";"; an item that starts with a double quote runs to the closing quote (a
// doubled quote inside stands for one) and may hold ";".
QStringList conditionItems(const QString &conditions)
{
    QStringList items;
    if (conditions.isEmpty())
        return items;
    const QChar quote = QLatin1Char('"');
    const QChar separator = QLatin1Char(';');
    int i = 0;
    while (true) {
        QString item;
        if (i < conditions.size() && conditions.at(i) == quote) {
            ++i;
            while (i < conditions.size()) {
                if (conditions.at(i) == quote) {
                    if (i + 1 < conditions.size() && conditions.at(i + 1) == quote) {
                        item += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += conditions.at(i++);
            }
        }
        while (i < conditions.size() && conditions.at(i) != separator)
            item += conditions.at(i++);
        items << item;
        if (i >= conditions.size())
            break;
        ++i; // the separator
    }
    return items;
}

} // namespace

bool gridFiltreSartiVer(Tmyfieldset fieldset, const QList<FilterColumn> &columns, QString &whereText,
                        QString &havingText)
{
    whereText.clear();
    havingText.clear();
    const ExpressionMaps maps = expressionMaps(fieldset);
    QStringList whereList;
    QStringList havingList;
    TVrnFiltreMetniCozucu2 cell;
    for (const FilterColumn &column : columns) {
        if (column.filterText.isEmpty() || !column.isDataField)
            continue;
        const QString key = nameKey(column.fieldName);
        const bool toHaving = maps.having.contains(key);
        cell.filterval = column.filterText;
        cell.fieldtype = column.type;
        cell.fieldname = toHaving ? maps.having.value(key) : maps.where.value(key, column.fieldName);
        QString condition;
        try {
            cell.coz();
            condition = cell.sqlSarti();
        } catch (const AppError &) {
            continue; // marked in the grid; an unreadable cell must not block the others
        }
        if (condition.isEmpty())
            continue; // only blank parts
        if (toHaving)
            havingList << condition;
        else
            whereList << QLatin1Char('(') + condition + QLatin1Char(')');
    }
    havingText = havingList.join(QStringLiteral(" AND "));
    whereText = whereList.join(QStringLiteral(" AND "));
    return true;
}

QString filterCellProblem(const QString &filterText, FieldType type)
{
    if (filterText.isEmpty())
        return QString();
    TVrnFiltreMetniCozucu2 cell;
    cell.filterval = filterText;
    cell.fieldtype = type;
    cell.fieldname = QStringLiteral("X");
    try {
        cell.coz();
        cell.sqlSarti();
    } catch (const AppError &error) {
        return QStringLiteral("Bu süzgeç anlaşılamadı, listeye uygulanmadı: %1").arg(error.message());
    }
    return QString();
}

void makroSartAta(Query &query, const QString &macroName, const QString &conditions)
{
    QStringList items;
    for (const QString &item : conditionItems(conditions)) {
        // A blank item would leave "AND  AND" in the statement.
        if (!item.trimmed().isEmpty())
            items << item;
    }
    if (items.isEmpty())
        return;
    query.setMacro(macroName, items.join(QStringLiteral(" AND ")));
}

void filtreDegisti(Query &query, const Tmyfieldset &fieldset, const QList<FilterColumn> &columns)
{
    QString whereText;
    QString havingText;
    gridFiltreSartiVer(fieldset, columns, whereText, havingText);
    query.close();
    setFilterMacro(query, QStringLiteral("filter"), whereText);
    setFilterMacro(query, QStringLiteral("having"), havingText);
    query.open();
}

SortMark nextSortMark(SortMark mark)
{
    switch (mark) {
    case SortMark::None:
        return SortMark::Ascending;
    case SortMark::Ascending:
        return SortMark::Descending;
    case SortMark::Descending:
        break;
    }
    return SortMark::None;
}

QString siralamaMetni(const QList<QPair<QString, SortMark>> &marks)
{
    QStringList entries;
    for (const auto &[fieldName, mark] : marks) {
        if (mark == SortMark::Ascending)
            entries << fieldName + QStringLiteral(":A");
        else if (mark == SortMark::Descending)
            entries << fieldName + QStringLiteral(":D");
    }
    return entries.join(QLatin1Char(','));
}
