#pragma once
#include <sys/types.h>

// While it lives, every file the process creates is readable and writable by its owner alone
// (umask 077). The register is opened inside one, so that a new qrt.db is never readable by
// another account for even a moment; SQLite gives its rollback journal the register's mode.
// The mask is process-wide: keep the scope short and on the user-interface thread.
class OwnerOnlyFileCreation {
public:
    OwnerOnlyFileCreation();
    ~OwnerOnlyFileCreation();
    OwnerOnlyFileCreation(const OwnerOnlyFileCreation &) = delete;
    OwnerOnlyFileCreation &operator=(const OwnerOnlyFileCreation &) = delete;

private:
    mode_t m_previous;
};
