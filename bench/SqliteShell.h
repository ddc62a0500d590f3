#pragma once
#include "Measurement.h"

#include <QString>

// The sqlite3 command-line shell doing the same work as our code, for the figure printed beside
// ours. It opens qrt.db in a folder, reads the script from its standard input, stops at the first
// error and throws its output away. Under /usr/bin/time (Debian package "time"), when installed,
// it also yields the peak resident memory and the processor time.
class SqliteShell {
public:
    static constexpr const char *kProgram = "/usr/bin/sqlite3";
    static constexpr const char *kTimeProgram = "/usr/bin/time";

    // The connection settings our Database applies, in front of every script.
    static QString connectionSettings();
    // True when /usr/bin/time is there to report the shell's peak memory and processor time.
    static bool reportsResources();

    // Wall time from starting the process until it has ended. Throws AppError when the shell
    // fails or reports an error.
    Measurement run(const QString &folder, const QString &script) const;
};
