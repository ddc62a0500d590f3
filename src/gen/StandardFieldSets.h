#pragma once
#include "gen/Tmyfieldset.h"

// The two field sets the data module registers at start-up.

// "MISAFIR": the guest lists (guest list, check-out, export); 29 entries, the last two hidden.
Tmyfieldset misafirFieldSet();
// "ODAEV": the room picker of the guest entry form; 3 entries.
Tmyfieldset odaevFieldSet();
