#pragma once
#include <functional>

// The backup taken before stays are erased for the keeping period, so that an erasure the
// operator regrets can still be undone from the backup folder. The backups install the routine
// that takes one (setRoutine); it throws when the backup fails, and the erasure is then not done.
class ErasureBackup {
public:
    using Routine = std::function<void()>;

    static void setRoutine(Routine routine);
    // Whether a routine is installed: the question to the operator promises a backup only then.
    static bool isAvailable();
    // Takes the backup; does nothing without a routine.
    static void take();

private:
    static Routine &routine();
};
