#include "app/CommandLine.h"

bool CommandLine::isUnattendedSwitch(const QString &argument)
{
    if (argument.isEmpty() || (argument.front() != QLatin1Char('-') && argument.front() != QLatin1Char('/')))
        return false;
    return argument.mid(1).compare(QLatin1String("otokaydet"), Qt::CaseInsensitive) == 0;
}

CommandLine::Mode CommandLine::modeFor(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (isUnattendedSwitch(argument))
            return Mode::Unattended;
    }
    return Mode::Interactive;
}

CommandLine::Mode CommandLine::modeFor(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return modeFor(arguments);
}
