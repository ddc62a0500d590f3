#pragma once
#include <QApplication>

// The application object of the program. It is the general error handler: an error that leaves
// an event handler or a slot reaches the event loop here, is reported through ErrorSink (an error
// box with the error's own text) and the loop goes on. A silent abort is never reported.
class SelvaneApplication : public QApplication {
    Q_OBJECT
public:
    SelvaneApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void reportEscapedError();

    bool m_reporting = false;
};
