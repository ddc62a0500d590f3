#pragma once
#include "gen/TVrnFiltreMetniCozucu.h"

#include <QList>
#include <QString>

// One filter cell: parts joined by "&" (and) and "|" (or), such as ">5&<10" or "AHMET|MEHMET".
// There is no escape for the two separators.
class TVrnFiltreMetniCozucu2 {
public:
    // Splits filterval into its parts and parses each for fieldtype and fieldname; the parts of
    // an earlier parse are dropped.
    void coz();
    // The parts' conditions in text order, each in parentheses, joined by " AND " or " OR " as
    // written; the database's precedence applies (AND before OR). Parts that are empty after
    // trimming are left out; a cell without a non-empty part gives an empty text.
    QString sqlSarti() const;

    QString filterval;
    FieldType fieldtype = FieldType::Unknown;
    QString fieldname;

private:
    void addPart(const QString &text, quint8 tag);

    QList<TVrnFiltreMetniCozucu> Fcozumler;
};
