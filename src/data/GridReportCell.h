#pragma once
#include <QString>

// One printed value of the table: the text shown in its cell and, for a numeric cell, the number
// behind it, so that a spreadsheet export keeps a number a number.
struct GridReportCell {
    QString text;
    double number = 0;
    bool numeric = false;
};
