#pragma once
#include <QString>

class Database;

// Erasures survive a restore: an older copy of the register (a backup) still holds the identity
// data of stays erased since it was taken. Before the program uses a restored copy, every erasure
// recorded in the current register's SILINENLER is applied to the copy and recorded there too,
// with the copy's journal and freed bytes scrubbed and the copy rebuilt, so that the erased
// values are not in its bytes either.
class RecordedErasures {
public:
    // The current register is the open connection (the program's own, whose exclusive lock keeps
    // any second connection out). Returns the number of stays of the copy that were erased now.
    // Throws AppError when the copy is missing and the engine's error when it cannot be changed.
    static int applyRecordedErasures(Database &currentRegister, const QString &restoredCopyPath);
    // The same with the current register given by its file, for a restore that has closed it.
    static int applyRecordedErasures(const QString &currentRegisterPath, const QString &restoredCopyPath);

    // The table of recorded erasures, for a copy older than it.
    static const QString kCreateTable;
};
