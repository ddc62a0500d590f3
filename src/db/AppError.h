#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// An error that stops an operation. It carries the message shown to the user: a Turkish text of
// ours or the engine's own text ("database is locked").
class AppError : public std::exception {
public:
    explicit AppError(QString message);
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Thrown by a handler to refuse an operation after it has shown its own message; it is never
// shown to the user.
class SilentAbort : public std::exception {
public:
    const char *what() const noexcept override { return "Operation aborted"; }
};
