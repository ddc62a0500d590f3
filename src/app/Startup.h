#pragma once
#include <QString>
#include <memory>

class InstanceClient;
class QObject;
class Tdm1;
class Tmainform;

// The program from start to end: the application object, its title and theme, who holds the
// register, the data module, then the run mode chosen on the command line. Returns the process's
// exit status: a scheduled run's status is the export's; a second interactive start on a register
// whose window is open ends with 0 once that window has come to the front.
class Startup {
public:
    static int run(int argc, char **argv);

    // The visual theme carried inside the program; throws AppError when it cannot be read.
    static void applyTheme();

    // The interactive program's windows on the data module, wired as the program runs them.
    static std::unique_ptr<Tmainform> createWindows(Tdm1 &dm);

    // Errors of the interactive program go to an error box. While `starting`, an error whose
    // text has been shown already goes to standard error instead of a second box.
    static void reportErrorsOnceWhileStarting(bool starting);

private:
    static void chooseDisplayPlatform(bool unattended);
    static void chooseRegionalSettings();
    static void installToolkitTranslation(QObject *application);
    static int runUnattended(const QString &instanceName);
    static int handExportOver(InstanceClient &client);
    static int runInteractive(const QString &instanceName);
    static int bringRunningProgramForward(const QString &instanceName);
};
