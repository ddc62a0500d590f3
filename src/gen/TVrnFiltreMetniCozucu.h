#pragma once
#include "db/FieldType.h"

#include <QString>

// One part of a filter cell, such as ">=5", "!AHMET", "01.05.2017-31.05.2017" or "?", parsed
// into an operator, a negation and a value (or the two bounds of a range) and written as an SQL
// condition against fieldname.
class TVrnFiltreMetniCozucu {
public:
    // Parses filterval for a column of type fieldtype.
    void coz();
    // The SQL condition of the parsed part. Throws the conversion error of a date or boolean
    // value that cannot be read.
    QString sqlSarti() const;
    // A part that is empty after trimming (a cell of blanks, a trailing "&" or "|") gives no
    // condition.
    bool isEmptyPart() const { return filterval.isEmpty(); }

    quint8 tag = 0;     // 1 when joined to the part before by "|", 0 for "&"
    QString filterval;  // the part's text, trimmed
    FieldType fieldtype = FieldType::Unknown;
    QString fieldname;  // the SQL expression the condition is written against

private:
    QString sqlOperator() const;
    QString rightHandSide(const QString &op) const;
    static QString withDottedAndDotlessI(QString condition, const QString &value);

    bool usenot = false;
    bool isnum = false;
    QString useop;
    bool forcestr = false; // compare a numeric column's value as text; nothing sets it yet
    QString searchval;
    QString searchval2;
    int valstart = 1; // 1-based start of the value after the operator prefix
    int valstart2 = 0;
    bool betweenActive = false;
};
