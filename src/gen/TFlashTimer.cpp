#include "gen/TFlashTimer.h"

TFlashTimer::TFlashTimer(QObject *parent) : QTimer(parent)
{
    connect(this, &QTimer::timeout, this, &TFlashTimer::formclose);
}

void TFlashTimer::closeAfter(QWidget *window, int delayMs)
{
    m_window = window;
    setInterval(delayMs);
    // A QTimer with interval 0 would fire at once on every pass of the loop, not never.
    if (delayMs > 0)
        start();
    else
        stop();
}

void TFlashTimer::formclose()
{
    stop();
    if (m_window)
        m_window->close();
}
