#pragma once
#include <QString>

// What a schedule runs: the program with the unattended switch, in the register's folder. Each
// folder gets its own entry, named by a short digest of its absolute path.
class ScheduledRun {
public:
    ScheduledRun(const QString &folder, const QString &program);

    QString folder() const { return m_folder; }
    QString program() const { return m_program; }
    QString id() const;

private:
    QString m_folder;
    QString m_program;
};
