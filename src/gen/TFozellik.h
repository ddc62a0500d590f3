#pragma once

// The properties of one field-set entry, in their fixed order; every property is a text.
enum class TFozellik : int {
    alanadi = 0,       // field (column) name; the entry's key, ASCII letter case ignored
    etiket = 1,        // display label and grid column title
    goster = 2,        // shown: a boolean word
    genislik = 3,      // display width in characters, a whole number
    editmaske = 4,     // edit mask; empty clears the field's mask
    defaultexp = 5,    // default-value expression
    dispformat = 6,    // date-time format for date/time fields, number format otherwise
    usercanmodify = 7, // the user may edit the column: a boolean word
    sqlexp = 8,        // expression the filter's WHERE condition uses instead of the field name
    sqlhexp = 9,       // expression for a filter condition that goes to HAVING
};

inline constexpr int TFozellikCount = 10;
