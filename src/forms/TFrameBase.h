#pragma once
#include <QWidget>

// The base of every frame: a panel of controls on a tab page of the main window or inside a
// window. The owner calls doshow when the frame becomes visible and dohide when it is left; both
// may be called any number of times, alternately.
class TFrameBase : public QWidget {
    Q_OBJECT
public:
    explicit TFrameBase(QWidget *parent = nullptr);

    // Prepares the frame (one-time set-up on the first call) and opens its queries.
    virtual void doshow() = 0;
    // Closes the frame's queries and detaches what doshow attached.
    virtual void dohide() = 0;
    // Asked before the frame is left or the program ends, while an edit may still be pending:
    // true when the owner may go on (nothing pending, saved, or dropped on request).
    virtual bool resolvePendingEdit() { return true; }
};
