#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// What a starting program and the running one say to each other: one line of UTF-8 per message.
//   start -> running   "raise"                  bring your main window to the front
//                      "export"                 run the export for the current moment
//   running -> start   "raised"                 answer to "raise"
//                      "accepted"               the export has started
//                      "trace <text>"           one line of the export's trace
//                      "status <n>"             the export ended with exit status n
//                      "refused <text>"         the request was not understood
class InstanceProtocol {
public:
    enum class Kind { Raise, Raised, Export, Accepted, Trace, Status, Refused, Unknown };

    struct Message {
        Kind kind = Kind::Unknown;
        QString text; // Trace and Refused: the text; Status: the number
    };

    static QByteArray encode(Kind kind, const QString &text = {});
    // One received line, without its line break.
    static Message decode(const QByteArray &line);
    static std::optional<int> statusOf(const Message &message);
};
