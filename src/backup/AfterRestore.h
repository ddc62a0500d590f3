#pragma once
#include <QString>

// Runs after a copy has been put in place of the register and before the program opens it:
// the place where changes recorded in the register that was replaced are applied to the copy
// again, so that a restore never brings back what was erased after the copy was made.
class AfterRestore {
public:
    // previousRegisterPath is where the replaced register was kept (empty when there was none).
    static void reapplyRecordedChanges(const QString &previousRegisterPath, const QString &restoredRegisterPath);
};
