#include "instance/InstanceProtocol.h"

#include <array>
#include <utility>

namespace {

using Kind = InstanceProtocol::Kind;

constexpr std::array<std::pair<Kind, const char *>, 7> kWords = {{
    {Kind::Raise, "raise"},
    {Kind::Raised, "raised"},
    {Kind::Export, "export"},
    {Kind::Accepted, "accepted"},
    {Kind::Trace, "trace"},
    {Kind::Status, "status"},
    {Kind::Refused, "refused"},
}};

bool carriesText(Kind kind)
{
    return kind == Kind::Trace || kind == Kind::Status || kind == Kind::Refused;
}

} // namespace

QByteArray InstanceProtocol::encode(Kind kind, const QString &text)
{
    for (const auto &[wordKind, word] : kWords) {
        if (wordKind != kind)
            continue;
        QByteArray line(word);
        if (carriesText(kind)) {
            // A line break inside the text would split the message; the trace is one line anyway.
            QString oneLine = text;
            oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            line += ' ' + oneLine.toUtf8();
        }
        return line + '\n';
    }
    return {};
}

InstanceProtocol::Message InstanceProtocol::decode(const QByteArray &line)
{
    const qsizetype blank = line.indexOf(' ');
    const QByteArray word = blank < 0 ? line : line.left(blank);
    for (const auto &[kind, text] : kWords) {
        if (word == text)
            return {kind, blank < 0 ? QString() : QString::fromUtf8(line.mid(blank + 1))};
    }
    return {Kind::Unknown, QString::fromUtf8(line)};
}

std::optional<int> InstanceProtocol::statusOf(const Message &message)
{
    if (message.kind != Kind::Status)
        return std::nullopt;
    bool ok = false;
    const int status = message.text.toInt(&ok);
    return ok ? std::optional<int>(status) : std::nullopt;
}
