#pragma once
#include <QByteArray>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QString>
#include <functional>
#include <optional>

// A starting program's side of the conversation with the program that already holds the
// register. Every call blocks: the start has nothing else to do until it knows the answer.
class InstanceClient {
public:
    using TraceSink = std::function<void(const QString &line)>;

    explicit InstanceClient(const QString &instanceName);

    // True when a running program accepts a connection on the name. A socket left behind by a
    // killed program refuses at once.
    bool connectToRunning(int timeoutMs = 2000);

    // Asks the running program to bring its main window to the front. False, with the reason in
    // `error`, when it does not answer within the time.
    bool requestRaise(int timeoutMs, QString *error);

    // Asks the running program to run the export for the current moment. Every trace line goes to
    // `trace` as it arrives; the result is the export's exit status. Nothing when the running
    // program stays silent for `silenceMs` or the connection breaks, with the reason in `error`.
    std::optional<int> requestExport(const TraceSink &trace, int silenceMs, QString *error);

    // The Turkish reasons a request ends without an answer.
    static QString noAnswerText(int silenceMs);
    static QString brokenConnectionText(const QString &systemText);

private:
    bool send(const QByteArray &message, QString *error);
    // The next complete line, or nothing when the deadline passes or the connection breaks.
    std::optional<QByteArray> readLine(QDeadlineTimer deadline);

    QString m_name;
    QLocalSocket m_socket;
    QByteArray m_received;
};
