#include "backup/AfterRestore.h"

#include "privacy/RecordedErasures.h"

void AfterRestore::reapplyRecordedChanges(const QString &previousRegisterPath, const QString &restoredRegisterPath)
{
    if (!previousRegisterPath.isEmpty())
        RecordedErasures::applyRecordedErasures(previousRegisterPath, restoredRegisterPath);
}
