#pragma once
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The timer that closes a transient message window after its display time.
class TFlashTimer : public QTimer {
    Q_OBJECT
public:
    explicit TFlashTimer(QObject *parent = nullptr);

    // Takes the window to close and the display time in milliseconds and starts counting.
    // A delay of 0 leaves the timer idle: that window waits until the user closes it.
    void closeAfter(QWidget *window, int delayMs);

    QWidget *window() const { return m_window; }

public slots:
    // Closes the window and stops the timer, so the window is closed only once.
    void formclose();

private:
    // The window may be gone before the timer fires (closed and freed by its owner).
    QPointer<QWidget> m_window;
};
