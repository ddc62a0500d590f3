#pragma once

// Starts the program again, in the same working directory and so on the same register, and
// ends this run. The new run is started only when this process exits, after it has let go of
// the register and of everything that tells a second start that the program is already
// running; a new run started earlier could take itself for that second start.
class ProgramRestart {
public:
    // Throws AppError when the program file cannot be run again; this run then goes on.
    static void startAgainAndQuit();

private:
    static void startAtExit();
};
