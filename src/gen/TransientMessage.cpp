#include "gen/TransientMessage.h"

#include "gen/TFlashTimer.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdio>
#include <utility>

namespace {

// Outer size of the window, frame and caption bar included.
constexpr QSize kOuterSize(360, 120);
constexpr int kFontPointSize = 11;
constexpr int kDefaultDelayMs = 1000;

MesajGosterHook g_hook;
MesajGosterTraceSink g_traceSink;
bool g_stderrTrace = false;

// Splits a name=value list the way callers write it: items separated by commas or blanks,
// an item that holds a blank or a comma enclosed in double quotes ("" inside stands for ").
QStringList splitOptionItems(const QString &text)
{
    QStringList items;
    const qsizetype length = text.size();
    qsizetype pos = 0;
    const auto isBlank = [&](qsizetype at) { return at < length && text.at(at).unicode() <= u' '; };
    const auto skipBlanks = [&] {
        while (isBlank(pos))
            ++pos;
    };
    skipBlanks();
    while (pos < length) {
        QString item;
        if (text.at(pos) == u'"') {
            ++pos;
            while (pos < length) {
                if (text.at(pos) == u'"') {
                    if (pos + 1 < length && text.at(pos + 1) == u'"') {
                        item += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                item += text.at(pos++);
            }
        } else {
            const qsizetype start = pos;
            while (pos < length && text.at(pos) != u',' && !isBlank(pos))
                ++pos;
            item = text.mid(start, pos - start);
        }
        items.append(item);
        skipBlanks();
        if (pos < length && text.at(pos) == u',') {
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

// The value of the first item whose name matches without regard to case; empty when absent.
QString optionValue(const QStringList &items, QStringView name)
{
    for (const QString &item : items) {
        const qsizetype equals = item.indexOf(u'=');
        if (equals >= 0 && QStringView(item).left(equals).compare(name, Qt::CaseInsensitive) == 0)
            return item.mid(equals + 1);
    }
    return {};
}

TransientMessageKind kindFromTip(const QString &tip)
{
    // The value is compared exactly: "Error" is not "error".
    if (tip == u"warn")
        return TransientMessageKind::Warn;
    if (tip == u"success")
        return TransientMessageKind::Success;
    if (tip == u"error")
        return TransientMessageKind::Error;
    if (tip == u"info")
        return TransientMessageKind::Info;
    return TransientMessageKind::Neutral;
}

int delayFromText(const QString &delay)
{
    bool isNumber = false;
    const int value = delay.toInt(&isNumber, 10);
    // A negative time cannot be waited for; it would leave the window up for good.
    return isNumber && value >= 0 ? value : kDefaultDelayMs;
}

QFont messageFont()
{
    QFont font = QApplication::font();
    font.setPointSize(kFontPointSize);
    return font;
}

// The label carries its own style sheet: a widget's own rules win over the application's,
// so a theme installed for the whole program cannot recolour or resize the message.
QString labelStyleSheet(const QColor &background, const QFont &font)
{
    QString family = font.family();
    family.replace(u'"', u' ');
    return QStringLiteral("QLabel { color: rgb(255, 255, 255); background: %1; "
                          "border: none; margin: 0px; padding: 0px; "
                          "font-family: \"%2\"; font-size: %3pt; font-weight: normal; "
                          "font-style: normal; qproperty-alignment: AlignCenter; }")
        .arg(background.name(QColor::HexRgb), family)
        .arg(kFontPointSize);
}

QLabel *createMessageLabel(const QString &text, const QColor &background, QWidget *window)
{
    auto *label = new QLabel(window);
    // Messages quote user data (names, codes); they must never be read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    // The label takes exactly the client area, whatever its text asks for; the rest is cut off.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    label->setFont(window->font());
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setStyleSheet(labelStyleSheet(background, window->font()));
    return label;
}

// Gives the window the outer size with the frame the window manager reports and centres
// it on the screen. Without a window manager the frame is empty.
void fitOuterFrame(QDialog &window, const QMargins &frame)
{
    window.setFixedSize(kOuterSize.shrunkBy(frame));
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer(QPoint(), kOuterSize);
    outer.moveCenter(screen->geometry().center());
    window.move(outer.topLeft());
}

// The frame is known only once the window manager has framed the mapped window, which moves
// the client area; fit again then, and only when the frame differs from the one last fitted,
// so a window the user drags stays where it is put.
void followFrameMargins(QDialog &window)
{
    window.winId();
    QWindow *handle = window.windowHandle();
    if (!handle)
        return;
    auto fitted = std::make_shared<QMargins>();
    const auto refit = [dialog = &window, handle, fitted] {
        const QMargins frame = handle->frameMargins();
        if (frame == *fitted)
            return;
        *fitted = frame;
        fitOuterFrame(*dialog, frame);
    };
    QObject::connect(handle, &QWindow::xChanged, &window, refit);
    QObject::connect(handle, &QWindow::yChanged, &window, refit);
}

QString traceLine(TransientMessageKind kind, const QString &text)
{
    QString oneLine = text;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar lineBreak : {QChar(u'\n'), QChar(u'\r'), QChar(QChar::LineSeparator),
                                  QChar(QChar::ParagraphSeparator)})
        oneLine.replace(lineBreak, u' ');
    return QStringLiteral("Selvane: [%1] %2").arg(transientMessageKindName(kind), oneLine);
}

void writeTraceLine(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

TransientMessageOptions parseTransientMessageOptions(const QString &options)
{
    const QStringList items = splitOptionItems(options);
    TransientMessageOptions parsed;
    parsed.kind = kindFromTip(optionValue(items, u"tip"));
    const QString delay = optionValue(items, u"delay");
    parsed.delayMs = delay.isEmpty() ? kDefaultDelayMs : delayFromText(delay);
    return parsed;
}

QColor transientMessageColor(TransientMessageKind kind)
{
    switch (kind) {
    case TransientMessageKind::Warn:
        return QColor(255, 140, 0);
    case TransientMessageKind::Success:
        return QColor(154, 205, 50);
    case TransientMessageKind::Error:
        return QColor(255, 0, 0);
    case TransientMessageKind::Info:
        return QColor(250, 240, 230);
    case TransientMessageKind::Neutral:
        break;
    }
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

bool transientMessageBeeps(TransientMessageKind kind)
{
    return kind == TransientMessageKind::Warn || kind == TransientMessageKind::Error;
}

QString transientMessageKindName(TransientMessageKind kind)
{
    switch (kind) {
    case TransientMessageKind::Warn:
        return QStringLiteral("warn");
    case TransientMessageKind::Success:
        return QStringLiteral("success");
    case TransientMessageKind::Error:
        return QStringLiteral("error");
    case TransientMessageKind::Info:
        return QStringLiteral("info");
    case TransientMessageKind::Neutral:
        break;
    }
    return QStringLiteral("neutral");
}

std::unique_ptr<QDialog> createTransientMessageWindow(const QString &text,
                                                      const TransientMessageOptions &options)
{
    auto window = std::make_unique<QDialog>(
        nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                     | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowTitle(QStringLiteral("Mesaj"));
    window->setFont(messageFont());
    QPalette palette = window->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    window->setPalette(palette);

    auto *layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createMessageLabel(text, transientMessageColor(options.kind), window.get()));

    fitOuterFrame(*window, QMargins());
    followFrameMargins(*window);
    return window;
}

void writeMessageTrace(const QString &text, const QString &options)
{
    const TransientMessageOptions parsed = parseTransientMessageOptions(options);
    if (g_traceSink) {
        const MesajGosterTraceSink sink = g_traceSink;
        sink(traceLine(parsed.kind, text));
    } else if (g_stderrTrace) {
        writeTraceLine(traceLine(parsed.kind, text));
    }
}

void mesajGoster(const QString &text, const QString &options)
{
    const TransientMessageOptions parsed = parseTransientMessageOptions(options);
    writeMessageTrace(text, options);
    if (g_hook) {
        // A copy, so a hook that replaces itself is not destroyed while it runs.
        const MesajGosterHook hook = g_hook;
        hook(text, options);
        return;
    }
    if (transientMessageBeeps(parsed.kind))
        QApplication::beep();
    const std::unique_ptr<QDialog> window = createTransientMessageWindow(text, parsed);
    TFlashTimer timer;
    timer.closeAfter(window.get(), parsed.delayMs);
    window->exec();
}

MesajGosterHook setMesajGosterHook(MesajGosterHook hook)
{
    MesajGosterHook previous = std::move(g_hook);
    g_hook = std::move(hook);
    return previous;
}

ScopedMesajGosterHook::ScopedMesajGosterHook(MesajGosterHook hook)
    : m_previous(setMesajGosterHook(std::move(hook)))
{
}

ScopedMesajGosterHook::~ScopedMesajGosterHook()
{
    setMesajGosterHook(std::move(m_previous));
}

void setMesajGosterStderrTrace(bool on)
{
    g_stderrTrace = on;
}

bool mesajGosterStderrTrace()
{
    return g_stderrTrace;
}

QString transientMessageTraceLine(const QString &text, const QString &options)
{
    return traceLine(parseTransientMessageOptions(options).kind, text);
}

ScopedMesajGosterTraceSink::ScopedMesajGosterTraceSink(MesajGosterTraceSink sink)
    : m_previous(std::exchange(g_traceSink, std::move(sink)))
{
}

ScopedMesajGosterTraceSink::~ScopedMesajGosterTraceSink()
{
    g_traceSink = std::move(m_previous);
}
