#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs one of the system's programs (systemctl, crontab), found on PATH, and waits for it.
class SystemCommand {
public:
    struct Result {
        bool started = false;
        int exitCode = -1;
        QString output;
        QString errors; // the program's standard error, or why it could not run
        bool succeeded() const { return started && exitCode == 0; }
    };

    static Result run(const QString &program, const QStringList &arguments, const QByteArray &input = {});
    // Runs and throws AppError with the program's own message when it does not succeed.
    static Result runOrThrow(const QString &program, const QStringList &arguments, const QByteArray &input = {});
};
