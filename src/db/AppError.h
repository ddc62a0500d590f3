#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// An error that stops an operation. It carries the message shown to the operator: a Turkish text
// of ours, or the engine's or data layer's English text given in Turkish with the original kept
// after it in parentheses ("Kayıt dosyası başka bir program tarafından kullanılıyor (database is
// locked)").
class AppError : public std::exception {
public:
    explicit AppError(const QString &message);
    const QString &message() const noexcept { return m_message; }
    // The text as it was raised, before it was given in Turkish.
    const QString &originalText() const noexcept { return m_original; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_original;
    QString m_message;
    QByteArray m_utf8;
};

// Thrown by a handler to refuse an operation after it has shown its own message; it is never
// shown to the user.
class SilentAbort : public std::exception {
public:
    const char *what() const noexcept override { return "Operation aborted"; }
};
