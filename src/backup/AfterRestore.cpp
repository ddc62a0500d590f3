#include "backup/AfterRestore.h"

void AfterRestore::reapplyRecordedChanges(const QString &restoredRegisterPath)
{
    // Nothing is recorded yet.
    Q_UNUSED(restoredRegisterPath);
}
