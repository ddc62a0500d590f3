#pragma once
#include <QStringList>

// The program's only switch: a dash or a slash followed by "otokaydet", in any letter case and
// with nothing after it, selects the unattended export. Every other argument is ignored.
class CommandLine {
public:
    enum class Mode { Interactive, Unattended };

    static bool isUnattendedSwitch(const QString &argument);
    // The arguments without the program name.
    static Mode modeFor(const QStringList &arguments);
    static Mode modeFor(int argc, char **argv);
};
