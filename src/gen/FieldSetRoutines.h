#pragma once
#include "gen/Tmyfieldset.h"

#include <QString>

class DbGrid;
class Query;
class TDataTanimlari;

// Applying field sets to queries and grids. Texts that cannot be read (a goster that is no
// boolean word, a genislik that is no whole number, a dispformat on a field that is neither
// numeric nor a date or time) throw AppError and stop the rest of the application.

// Empties all 2,560 texts of the set.
void fieldSetTemizle(Tmyfieldset &fieldset);

// Makes the query's columns known without running it and gives every column a field, so that
// settings made before the query opens stay in force across every close and reopen.
void alanlariOlustur(Query &query);

// Applies the entries, in index order up to the end of the set, to the fields they name:
// label, visibility, display width, edit mask (empty clears it), default expression and
// display format. Entries naming no field of the query are skipped.
void fieldSetAlanlaraUygula(Query &query, const Tmyfieldset &fieldset);

// Appends one grid column for each of the 256 entries that names a field of the query and has a
// goster; a goster that reads false gives a hidden column in its place. The caller empties the
// grid's columns first.
void fieldSetGrideUygula(DbGrid &grid, const Tmyfieldset &fieldset, Query &query);

// The preparation a list window does the first time it is shown: make the query's fields,
// hide them all, fetch the named set, apply it to the fields and, when there is a grid, build
// the grid's columns from it afresh. Returns the fetched set, which the window keeps for its
// filter bar; an unregistered name gives an empty set, so nothing is shown.
Tmyfieldset applyFieldSetFirstShow(const TDataTanimlari &registry, const QString &setName,
                                   Query &query, DbGrid *grid);
