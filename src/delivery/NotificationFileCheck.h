#pragma once
#include <QString>

// Reads a notification file again and says whether it is still where the ledger says it was
// written and whether its hash line still matches its content (and the value recorded).
class NotificationFileCheck {
public:
    enum class State { Missing, Unreadable, NoHashLine, ContentChanged, DiffersFromLedger, Intact };

    struct Result {
        State state = State::Missing;
        QString message; // for the operator, in Turkish
    };

    static Result verify(const QString &path, const QString &recordedHash);

private:
    static QString hashLineValue(const QByteArray &bytes, qsizetype *contentStart);
};
