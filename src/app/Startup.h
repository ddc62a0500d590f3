#pragma once

class QObject;
class Tdm1;

// The program from start to end: the application object, its title and theme, the data module,
// then the run mode chosen on the command line. Returns the process's exit status.
class Startup {
public:
    static int run(int argc, char **argv);

    // The visual theme carried inside the program; throws AppError when it cannot be read.
    static void applyTheme();

private:
    static void chooseDisplayPlatform(bool unattended);
    static void chooseRegionalSettings();
    static void installToolkitTranslation(QObject *application);
    static int runUnattended();
    static int runInteractive(Tdm1 &dm);
};
