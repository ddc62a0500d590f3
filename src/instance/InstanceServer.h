#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;
class QWidget;

// The running interactive program's side: it answers on the register's name, brings its main
// window to the front when another start asks, and runs the export for a scheduled run that found
// the register held. Requests are served from the event loop, including the nested loop of an
// open modal dialog, so neither a dialog nor an edit in progress has to be closed first.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    using TraceSink = std::function<void(const QString &line)>;
    // Runs the export for the current moment, sends its trace lines and returns its exit status.
    using ExportRunner = std::function<int(const TraceSink &trace)>;

    enum class Claim {
        Listening,      // this program now answers on the name
        AnotherAnswers, // a running program answers: it holds the register
        NotListening,   // nobody answers, but the name could not be taken (reason in the error)
    };

    explicit InstanceServer(const QString &instanceName, QObject *parent = nullptr);
    ~InstanceServer() override;

    // Takes the name unless a running program answers on it. A socket file left by a killed
    // program is removed first. Two starts at the same moment take turns on a lock file, so only
    // one of them listens.
    Claim claim(QString *error);

    // From now on exports are run (requests that came earlier have waited for this) and raise
    // requests bring `mainWindow` to the front.
    void startServing(QWidget *mainWindow, ExportRunner runner);

    bool isListening() const;
    QString fullServerName() const;

    // Un-minimises the window, raises and activates it, and then any modal window open over it.
    static void bringToFront(QWidget *window);

signals:
    void raiseServed();
    void exportServed(int status);

private:
    void acceptConnections();
    void readRequests(QLocalSocket *socket);
    void serveRaise(QLocalSocket *socket);
    void runWaitingExports();
    void runExport(QLocalSocket *socket);
    static void send(QLocalSocket *socket, const QByteArray &message);
    bool listenRemovingStaleSocket(QString *error);

    QString m_name;
    QLocalServer *m_server;
    QPointer<QWidget> m_mainWindow;
    ExportRunner m_runner;
    bool m_exportRunning = false;
    QList<QPointer<QLocalSocket>> m_waitingExports;
};
