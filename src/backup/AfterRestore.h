#pragma once
#include <QString>

// Runs after a copy has been put in place of the register and before the program opens it:
// the place where changes recorded since the copy was made are applied to it again.
class AfterRestore {
public:
    static void reapplyRecordedChanges(const QString &restoredRegisterPath);
};
