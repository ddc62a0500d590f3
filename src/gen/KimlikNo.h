#pragma once
#include <QtGlobal>

// Whether a number is a well-formed Turkish identity number (TC number): eleven digits without a
// leading zero whose last two digits are the check digits of the first nine. It says nothing
// about whether the number was ever issued.
bool tcKimlikNoGecerli(quint64 value);
