#pragma once
#include "db/FieldType.h"
#include "gen/Tmyfieldset.h"

#include <QList>
#include <QPair>
#include <QString>

class Query;

// What the filter translation needs of one grid column: its field, the text of its filter cell,
// the field's data type, and whether the field is a plain data column (calculated and lookup
// columns are never filtered).
struct FilterColumn {
    QString fieldName;
    QString filterText;
    FieldType type = FieldType::Unknown;
    bool isDataField = true;
};

// Translates the filter cells of a grid's columns, in column order, into the WHERE and HAVING
// conditions of the window's query. A field whose set entry has sqlexp is filtered on that
// expression; one with only sqlhexp is filtered on that expression in HAVING. Both outputs are
// emptied first; the result is always true. A cell that cannot be translated (a date or boolean
// value that does not read as one) adds no condition: the grid marks it (filterCellProblem), and
// the other cells still filter.
bool gridFiltreSartiVer(Tmyfieldset fieldset, const QList<FilterColumn> &columns, QString &whereText,
                        QString &havingText);

// Why a filter cell cannot be translated, as the operator reads it in the cell's tool tip; empty
// when the cell translates (or is empty).
QString filterCellProblem(const QString &filterText, FieldType type);

// Sets a macro from a ";"-separated list of conditions, joined with " AND ". A double-quoted item
// may contain ";". Blank items are left out; with no item the macro is not touched. The caller
// closes the query before and opens it after.
void makroSartAta(Query &query, const QString &macroName, const QString &conditions);

// The filter bar's change handler: translates every cell (leaving out those that cannot be
// translated), then closes the query, sets the macros "filter" and "having" ("1" when there is no
// condition) and opens it again. "staticfilter" is not changed.
void filtreDegisti(Query &query, const Tmyfieldset &fieldset, const QList<FilterColumn> &columns);

// The sort mark of a column title.
enum class SortMark { None, Ascending, Descending };

// A title click moves a data or lookup column's mark none -> ascending -> descending -> none.
SortMark nextSortMark(SortMark mark);

// The client-side ordering for the marks of the grid's data columns (lookup columns are not
// passed): "NAME:A,OTHER:D" in column order; empty when nothing is marked.
QString siralamaMetni(const QList<QPair<QString, SortMark>> &marks);
