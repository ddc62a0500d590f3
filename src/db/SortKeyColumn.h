#pragma once
#include "db/FieldType.h"

#include <QCollator>
#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

// One column's values of every loaded row, read once before a sort so that the many comparisons
// of the sort neither copy nor convert stored values. Text columns compare as the user's language
// sorts, ignoring case; stored dates and times compare as their text; numbers by value. NULL comes
// first.
class SortKeyColumn {
public:
    SortKeyColumn(const std::vector<QVector<QVariant>> &rows, int column, FieldType type, const QCollator &collator);

    // Negative, zero or positive as row a's value sorts before, with or after row b's.
    int compare(int a, int b) const;

private:
    struct Cell {
        bool isNull = true;
        bool isText = false;
        double number = 0;
        QString text; // shares the stored text; a number's text form when the column mixes kinds
    };

    bool m_collated;
    const QCollator &m_collator;
    std::vector<Cell> m_cells;
};
