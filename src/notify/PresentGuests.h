#pragma once
#include <QtGlobal>

class Statement;

// The guests present on one day in the active facilities of a facility code, one row at a time,
// each row with the columns of the guest statement (every column of MISAFIR, ODAEV and TESISLER,
// then GELISTARIHSAAT). Two active facilities with the same code share one list.
class PresentGuests {
public:
    virtual ~PresentGuests() = default;

    // Starts the guests of the code and returns the statement that carries their rows; its
    // columns can be read by name before the first row. Throws AppError with the engine's text.
    virtual const Statement &start(qint64 tesisKodu) = 0;
    // Moves the statement to the next guest: false when there is none left.
    virtual bool next() = 0;
};
