#pragma once
#include <QString>
#include <QTime>

// The daily unattended export of one register folder, as the system's scheduler holds it. What
// a schedule reports is read back from the system each time, never remembered by the program.
class DailySchedule {
public:
    struct State {
        bool installed = false;
        QTime time;        // when it runs; invalid when the entry found cannot be read
        QString mechanism; // how it is held, for the operator ("systemd kullanıcı zamanlayıcısı")
    };

    virtual ~DailySchedule() = default;

    // Whether this system offers a scheduler at all.
    virtual bool available() = 0;
    virtual State read() = 0;
    // Writes and enables the daily run at `time`, replacing one already there. Throws AppError.
    virtual void install(const QTime &time) = 0;
    // Removes the daily run; nothing when there is none. Throws AppError.
    virtual void remove() = 0;
    // A remark for the operator about what the scheduler needs (empty when nothing).
    virtual QString note() { return {}; }
};
