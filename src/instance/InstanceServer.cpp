#include "instance/InstanceServer.h"

#include "instance/InstanceClient.h"
#include "instance/InstanceName.h"
#include "instance/InstanceProtocol.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

#include <exception>

using Kind = InstanceProtocol::Kind;

InstanceServer::InstanceServer(const QString &instanceName, QObject *parent)
    : QObject(parent), m_name(instanceName), m_server(new QLocalServer(this))
{
    // The register holds identity data; only its owner's programs may ask for an export.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::acceptConnections);
}

InstanceServer::~InstanceServer() = default;

InstanceServer::Claim InstanceServer::claim(QString *error)
{
    QLockFile lock(InstanceName::claimLockPath(m_name));
    // A lock left by a killed start names a process that no longer runs and is taken over.
    if (!lock.tryLock(5000)) {
        *error = QStringLiteral("Kilit dosyası alınamadı: %1").arg(lock.fileName());
        return Claim::NotListening;
    }
    if (InstanceClient(m_name).connectToRunning())
        return Claim::AnotherAnswers;
    return listenRemovingStaleSocket(error) ? Claim::Listening : Claim::NotListening;
}

bool InstanceServer::listenRemovingStaleSocket(QString *error)
{
    // Nobody answered, so a socket file under the name is what a killed program left behind.
    QLocalServer::removeServer(m_name);
    if (m_server->listen(m_name))
        return true;
    *error = m_server->errorString();
    return false;
}

void InstanceServer::startServing(QWidget *mainWindow, ExportRunner runner)
{
    m_mainWindow = mainWindow;
    m_runner = std::move(runner);
    QTimer::singleShot(0, this, &InstanceServer::runWaitingExports);
}

bool InstanceServer::isListening() const
{
    return m_server->isListening();
}

QString InstanceServer::fullServerName() const
{
    return m_server->fullServerName();
}

void InstanceServer::bringToFront(QWidget *window)
{
    if (window) {
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    }
    // An open dialog stays the window the operator works in.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}

void InstanceServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        readRequests(socket);
    }
}

void InstanceServer::readRequests(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine().trimmed();
        switch (InstanceProtocol::decode(line).kind) {
        case Kind::Raise:
            serveRaise(socket);
            break;
        case Kind::Export:
            m_waitingExports << socket;
            // Run from the event loop, not from inside the socket's signal.
            QTimer::singleShot(0, this, &InstanceServer::runWaitingExports);
            break;
        default:
            send(socket, InstanceProtocol::encode(Kind::Refused, QStringLiteral("Bilinmeyen istek: %1")
                                                                      .arg(QString::fromUtf8(line))));
            socket->disconnectFromServer();
            break;
        }
    }
}

// Served at once, even before the main window exists: the start-up's own error box is then the
// window that comes to the front.
void InstanceServer::serveRaise(QLocalSocket *socket)
{
    bringToFront(m_mainWindow);
    send(socket, InstanceProtocol::encode(Kind::Raised));
    socket->disconnectFromServer();
    emit raiseServed();
}

// One export at a time: a request that arrives while one runs (its messages keep the event loop
// going) waits for it to end.
void InstanceServer::runWaitingExports()
{
    if (!m_runner || m_exportRunning)
        return;
    while (!m_waitingExports.isEmpty()) {
        const QPointer<QLocalSocket> socket = m_waitingExports.takeFirst();
        if (socket)
            runExport(socket);
    }
}

void InstanceServer::runExport(QLocalSocket *socket)
{
    const QScopedValueRollback<bool> running(m_exportRunning, true);
    const QPointer<QLocalSocket> client(socket);
    send(client, InstanceProtocol::encode(Kind::Accepted));
    int status = 1;
    try {
        status = m_runner([client](const QString &line) { send(client, InstanceProtocol::encode(Kind::Trace, line)); });
    } catch (const std::exception &error) {
        send(client, InstanceProtocol::encode(Kind::Trace, QStringLiteral("Selvane: %1").arg(QString::fromUtf8(error.what()))));
    }
    send(client, InstanceProtocol::encode(Kind::Status, QString::number(status)));
    if (client)
        client->disconnectFromServer();
    emit exportServed(status);
}

// Written through at once: the export keeps the event loop busy, and the waiting start counts
// the time since the last message it received.
void InstanceServer::send(QLocalSocket *socket, const QByteArray &message)
{
    if (!socket || socket->state() != QLocalSocket::ConnectedState)
        return;
    socket->write(message);
    socket->flush();
}
