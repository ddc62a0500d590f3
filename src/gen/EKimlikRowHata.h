#pragma once
#include "db/AppError.h"

class Field;

// A failed guest-row check: the message to show and the field whose editor should take the
// focus (none when the failure concerns the row as a whole).
class EKimlikRowHata : public AppError {
public:
    EKimlikRowHata(QString message, ::Field *field);

    // The field concerned; owned by its query, not by the error.
    ::Field *Field() const { return FField; }

private:
    ::Field *FField;
};
