#pragma once
#include <QString>

// Copies a register with SQLite's online backup interface, so that a copy is a consistent
// database even while the file is being written, and checks copies with PRAGMA quick_check.
// Errors carry the engine's own text (DatabaseError with the engine's result code).
class RegisterCopier {
public:
    // Writes the database at `source` into `target`, which must not exist yet; the copy is
    // readable by the owner alone. A copy that fails its check is removed again.
    static void copy(const QString &source, const QString &target);
    // Throws DatabaseError when the file is not a sound database.
    static void check(const QString &file);
};
