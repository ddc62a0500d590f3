#pragma once

// Starts the program again, in the same working directory and so on the same register, and
// ends this run.
class ProgramRestart {
public:
    // Throws AppError when the new run cannot be started; this run then goes on.
    static void startAgainAndQuit();
};
