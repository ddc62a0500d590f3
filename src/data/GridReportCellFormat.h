#pragma once
#include "data/GridReportCell.h"

#include <QLocale>
#include <QVariant>

class Field;

// How a field's value becomes a cell of the printed table. Numeric cells (32-bit integers and
// floating-point numbers, that is the columns declared INT, and expressions that yield such a
// value) are right-aligned and shown with the format "%2.2f"; everything else shows the value's
// plain text: text unchanged, dates and times in their full text form (never the list's display
// format, so an arrival time keeps its seconds). NULL gives an empty cell.
class GridReportCellFormat {
public:
    // The printed cell of a field's stored value (as Query::rawValue gives it).
    static GridReportCell cell(const Field &field, const QVariant &raw, const QLocale &locale = QLocale());

    // "%2.2f" with the locale's decimal separator and no thousands separators: 15 gives "15,00"
    // under the Turkish locale and "15.00" under the C locale.
    static QString numberText(double value, const QLocale &locale = QLocale());

    static bool isNumeric(const Field &field, const QVariant &raw);
};
