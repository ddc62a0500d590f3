#include "privacy/ErasureBackup.h"

void ErasureBackup::setRoutine(Routine routine) { ErasureBackup::routine() = std::move(routine); }

bool ErasureBackup::isAvailable() { return bool(routine()); }

void ErasureBackup::take()
{
    if (routine())
        routine()();
}

ErasureBackup::Routine &ErasureBackup::routine()
{
    static Routine installed;
    return installed;
}
