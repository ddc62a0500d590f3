#include "instance/InstanceClient.h"

#include "instance/InstanceProtocol.h"

using Kind = InstanceProtocol::Kind;

InstanceClient::InstanceClient(const QString &instanceName) : m_name(instanceName) {}

bool InstanceClient::connectToRunning(int timeoutMs)
{
    m_socket.connectToServer(m_name);
    return m_socket.waitForConnected(timeoutMs);
}

bool InstanceClient::requestRaise(int timeoutMs, QString *error)
{
    if (!send(InstanceProtocol::encode(Kind::Raise), error))
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    while (const std::optional<QByteArray> line = readLine(deadline)) {
        if (InstanceProtocol::decode(*line).kind == Kind::Raised)
            return true;
    }
    *error = m_socket.state() == QLocalSocket::ConnectedState ? noAnswerText(timeoutMs)
                                                                : brokenConnectionText(m_socket.errorString());
    return false;
}

std::optional<int> InstanceClient::requestExport(const TraceSink &trace, int silenceMs, QString *error)
{
    if (!send(InstanceProtocol::encode(Kind::Export), error))
        return std::nullopt;
    // Each message the running program sends starts the waiting time again: a long export that
    // keeps reporting is not cut off, a program that has stopped answering is.
    while (const std::optional<QByteArray> line = readLine(QDeadlineTimer(silenceMs))) {
        const InstanceProtocol::Message message = InstanceProtocol::decode(*line);
        if (message.kind == Kind::Trace)
            trace(message.text);
        else if (const std::optional<int> status = InstanceProtocol::statusOf(message))
            return status;
        else if (message.kind == Kind::Refused) {
            *error = brokenConnectionText(message.text);
            return std::nullopt;
        }
    }
    *error = m_socket.state() == QLocalSocket::ConnectedState ? noAnswerText(silenceMs)
                                                                : brokenConnectionText(m_socket.errorString());
    return std::nullopt;
}

QString InstanceClient::noAnswerText(int silenceMs)
{
    return QStringLiteral("Bu klasörde açık olan Selvane %1 saniye içinde yanıt vermedi; "
                          "bildirim dosyalarının yazıldığı doğrulanamadı.")
        .arg(silenceMs / 1000);
}

QString InstanceClient::brokenConnectionText(const QString &systemText)
{
    return QStringLiteral("Bu klasörde açık olan Selvane ile bağlantı koptu; bildirim dosyalarının yazıldığı "
                          "doğrulanamadı. (%1)")
        .arg(systemText);
}

bool InstanceClient::send(const QByteArray &message, QString *error)
{
    m_socket.write(message);
    if (m_socket.waitForBytesWritten(5000) || m_socket.bytesToWrite() == 0)
        return true;
    *error = brokenConnectionText(m_socket.errorString());
    return false;
}

std::optional<QByteArray> InstanceClient::readLine(QDeadlineTimer deadline)
{
    while (true) {
        const qsizetype end = m_received.indexOf('\n');
        if (end >= 0) {
            const QByteArray line = m_received.left(end);
            m_received.remove(0, end + 1);
            return line;
        }
        if (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
        m_received += m_socket.readAll();
    }
}
