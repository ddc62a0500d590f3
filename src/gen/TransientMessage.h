#pragma once
// Transient messages: a small coloured window that shows a short notice and closes by itself.
#include <QColor>
#include <QString>
#include <functional>
#include <memory>

class QDialog;

// Shows `text` in a modal window and returns once the window has closed.
// `options` is a name=value list such as "tip=error,delay=2000":
//   tip   warn | success | error | info; anything else is the neutral kind
//   delay display time in ms (default 1000; 0 keeps the window until the user closes it)
void mesajGoster(const QString &text, const QString &options = QString());

enum class TransientMessageKind { Neutral, Warn, Success, Error, Info };

struct TransientMessageOptions {
    TransientMessageKind kind = TransientMessageKind::Neutral;
    int delayMs = 1000;
};

// Reads the options text; unknown names are ignored and bad values fall back to the defaults.
TransientMessageOptions parseTransientMessageOptions(const QString &options);

// Background of the message area for a kind; the neutral kind takes the palette's highlight.
QColor transientMessageColor(TransientMessageKind kind);

// Warnings and errors sound the alert once; the other kinds are silent.
bool transientMessageBeeps(TransientMessageKind kind);

// The "tip" word of a kind as written in options and in the trace ("neutral" for the rest).
QString transientMessageKindName(TransientMessageKind kind);

// The configured, not yet shown message window (caption, size, position, label, colours).
std::unique_ptr<QDialog> createTransientMessageWindow(const QString &text,
                                                      const TransientMessageOptions &options);

// --- Seams for tests and the unattended run ---

// Receives (text, options) in place of showing a window. An empty function shows windows again.
using MesajGosterHook = std::function<void(const QString &text, const QString &options)>;

// Installs a hook and returns the one it replaces.
MesajGosterHook setMesajGosterHook(MesajGosterHook hook);

// Installs a hook for the life of the guard and puts the previous one back afterwards.
class ScopedMesajGosterHook {
public:
    explicit ScopedMesajGosterHook(MesajGosterHook hook);
    ~ScopedMesajGosterHook();
    ScopedMesajGosterHook(const ScopedMesajGosterHook &) = delete;
    ScopedMesajGosterHook &operator=(const ScopedMesajGosterHook &) = delete;

private:
    MesajGosterHook m_previous;
};

// When on, every message is also written to standard error as one UTF-8 line,
// "Selvane: [<tip>] <text>" with line breaks turned into blanks; the window still shows
// and closes itself. Meant for the unattended run, which has nobody watching the screen.
void setMesajGosterStderrTrace(bool on);
bool mesajGosterStderrTrace();

// Writes only the trace line that mesajGoster would write, and shows nothing: for notices that
// are many per run and that the run's closing summary names again (a guest left out of a file).
void writeMessageTrace(const QString &text, const QString &options);

// The trace line of a message as the unattended run writes it: "Selvane: [<tip>] <text>" on one
// line (line breaks turned into blanks), without the line break at its end.
QString transientMessageTraceLine(const QString &text, const QString &options);

// Receives every message's trace line while installed; the window still shows (or the hook
// still runs). While a sink is installed the lines go to it instead of standard error, so a run
// that forwards its trace to standard error itself writes each line once.
using MesajGosterTraceSink = std::function<void(const QString &line)>;

// Installs a trace sink for the life of the guard and puts the previous one back afterwards.
class ScopedMesajGosterTraceSink {
public:
    explicit ScopedMesajGosterTraceSink(MesajGosterTraceSink sink);
    ~ScopedMesajGosterTraceSink();
    ScopedMesajGosterTraceSink(const ScopedMesajGosterTraceSink &) = delete;
    ScopedMesajGosterTraceSink &operator=(const ScopedMesajGosterTraceSink &) = delete;

private:
    MesajGosterTraceSink m_previous;
};
