#pragma once
#include <QDate>
#include <QString>

// The day's copy of the register, made at the first interactive start of a day, before the
// program opens the register, so that a copy never holds a half-applied upgrade of the tables.
class DailyBackup {
public:
    enum class Outcome {
        NoRegister,       // nothing to copy yet: the first start creates the register
        AlreadyMadeToday, // an earlier start of the day made the copy
        Made,
        RegisterInUse,    // another running copy of the program holds the register
        NotADatabase,     // the opening that follows reports it with the same engine text
    };

    // Makes the copy for `today` when there is none yet, checks it and then removes the copies
    // no longer kept. A failure leaves every earlier copy in place. Throws AppError.
    static Outcome makeCopy(const QString &registerPath, const QDate &today);

    // The call at start-up: does nothing in the unattended run; reports a failure once and never
    // stops the start.
    static void atInteractiveStart(const QString &registerPath);
    // Makes today's copy when there is none yet; throws AppError when there is still none after
    // that, for work that must not start without a copy of the register as it was.
    static void requireCopyOfToday(const QString &registerPath);

private:
    static void removeCopiesNoLongerKept(const QString &registerPath);
};
