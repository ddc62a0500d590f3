#pragma once
#include <QString>

// The real guest list at work on a register in a folder: its first screen of "Tümü", a title
// click on SOYADI, Ctrl+End to the last stay and Ctrl+Home back, opening a stay for editing and
// saving it, each timed and followed by the process's peak memory, beside the sqlite3 shell doing
// the nearest work on the same file.
class GuestGridSession {
public:
    explicit GuestGridSession(QString folder) : m_folder(std::move(folder)) {}
    void run() const;

private:
    void runGrid() const;
    void compareWithShell() const;

    QString m_folder;
};
