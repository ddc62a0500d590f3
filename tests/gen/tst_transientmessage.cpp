#include "gen/TFlashTimer.h"
#include "gen/TransientMessage.h"

#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

Q_DECLARE_METATYPE(TransientMessageKind)

namespace {

// A theme that would paint every label black on blue in large type.
const QString kHostileStyleSheet =
    QStringLiteral("QLabel { color: black; background: blue; font-size: 20pt; }");

// Points standard error at a temporary file until finish() puts it back.
class StderrCapture {
public:
    StderrCapture()
    {
        QVERIFY(m_file.open());
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    QString finish()
    {
        restore();
        QFile written(m_file.fileName());
        if (!written.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(written.readAll());
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

// What the test saw of the message window while mesajGoster was running.
struct ShownWindow {
    QPointer<QDialog> dialog;
    QString caption;
    QRect frame;
    bool visible = false;
};

// Looks at the modal window shortly after it has come up.
void probeModalWindowAfter(int ms, ShownWindow &seen)
{
    QTimer::singleShot(ms, [&seen] {
        seen.dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!seen.dialog)
            return;
        seen.caption = seen.dialog->windowTitle();
        seen.frame = seen.dialog->frameGeometry();
        seen.visible = seen.dialog->isVisible();
    });
}

// Closes the modal window as the user would; `closedByHand` tells whether it was still up.
void closeByHandAfter(int ms, bool &closedByHand)
{
    QTimer::singleShot(ms, [&closedByHand] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            closedByHand = true;
            modal->close();
        }
    });
}

// Keeps a broken timer from hanging the test run.
void closeAnyModalAfter(int ms)
{
    QTimer::singleShot(ms, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
}

bool hasWhitePixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::white))
                return true;
    return false;
}

} // namespace

class TestTransientMessage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }
    void cleanup()
    {
        qApp->setStyleSheet(QString());
        setMesajGosterStderrTrace(false);
    }

    void options_data();
    void options();
    void colours_data();
    void colours();
    void windowLayout_data();
    void windowLayout();
    void flashTimerClosesOnceAndSurvivesAGoneWindow();

    void showsAndClosesByTimer();
    void delayZeroWaitsForTheUser();
    void closingEarlyEndsTheCallAtOnce();

    void hookReplacesTheWindowAndNests();
    void stderrTrace_data();
    void stderrTrace();
    void stderrTraceStillShowsTheWindow();
};

void TestTransientMessage::options_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<TransientMessageKind>("kind");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("beeps");

    using K = TransientMessageKind;
    QTest::newRow("empty") << QString() << K::Neutral << 1000 << false;
    QTest::newRow("export error") << "tip=error,delay=2000" << K::Error << 2000 << true;
    QTest::newRow("warn") << "tip=warn" << K::Warn << 1000 << true;
    QTest::newRow("success") << "tip=success" << K::Success << 1000 << false;
    QTest::newRow("info") << "tip=info" << K::Info << 1000 << false;
    QTest::newRow("value compared exactly") << "tip=Error" << K::Neutral << 1000 << false;
    QTest::newRow("unknown tip") << "tip=danger" << K::Neutral << 1000 << false;
    QTest::newRow("names without case, blanks") << "TIP=warn  Delay=300" << K::Warn << 300 << true;
    QTest::newRow("delay not a number") << "delay=abc" << K::Neutral << 1000 << false;
    QTest::newRow("delay empty") << "tip=info,delay=" << K::Info << 1000 << false;
    QTest::newRow("delay fraction") << "delay=1.5" << K::Neutral << 1000 << false;
    QTest::newRow("delay negative") << "delay=-5" << K::Neutral << 1000 << false;
    QTest::newRow("delay zero") << "delay=0" << K::Neutral << 0 << false;
    QTest::newRow("quoted items") << "\"tip=success\", \"delay=250\"" << K::Success << 250 << false;
    QTest::newRow("quoted item keeps comma and blank")
        << "\"not=a, delay=5\",tip=warn" << K::Warn << 1000 << true;
    QTest::newRow("first of two wins") << "tip=warn,tip=error" << K::Warn << 1000 << true;
    QTest::newRow("unknown names ignored") << "renk=mavi,delay=700" << K::Neutral << 700 << false;
}

void TestTransientMessage::options()
{
    QFETCH(QString, options);
    QFETCH(TransientMessageKind, kind);
    QFETCH(int, delayMs);
    QFETCH(bool, beeps);

    const TransientMessageOptions parsed = parseTransientMessageOptions(options);
    QCOMPARE(parsed.kind, kind);
    QCOMPARE(parsed.delayMs, delayMs);
    QCOMPARE(transientMessageBeeps(parsed.kind), beeps);
}

void TestTransientMessage::colours_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QString>("appStyleSheet");

    const QColor highlight = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    const struct {
        const char *tip;
        QColor colour;
    } kinds[] = {{"warn", QColor(255, 140, 0)},  {"success", QColor(154, 205, 50)},
                 {"error", QColor(255, 0, 0)},   {"info", QColor(250, 240, 230)},
                 {"neutral", highlight}};
    for (const auto &kind : kinds) {
        const QString options = QStringLiteral("tip=") + QLatin1String(kind.tip);
        QTest::addRow("%s", kind.tip) << options << kind.colour << QString();
        QTest::addRow("%s under a theme", kind.tip) << options << kind.colour << kHostileStyleSheet;
    }
}

// What the user sees: the kind's background, white text, 11 points, whatever the theme says.
void TestTransientMessage::colours()
{
    QFETCH(QString, options);
    QFETCH(QColor, background);
    QFETCH(QString, appStyleSheet);
    qApp->setStyleSheet(appStyleSheet);

    const auto window = createTransientMessageWindow(QStringLiteral("MMMM HHHH"),
                                                     parseTransientMessageOptions(options));
    window->show();
    auto *label = window->findChild<QLabel *>();
    QVERIFY(label);
    QCOMPARE(label->font().pointSize(), 11);

    const QImage image = label->grab().toImage();
    QCOMPARE(image.pixelColor(1, 1), background);
    QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), background);
    QVERIFY2(hasWhitePixel(image), "the text is not painted white");
}

void TestTransientMessage::windowLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("short") << QStringLiteral("Seçim yapınız");
    QTest::newRow("long, wraps")
        << QStringLiteral("Otel X: TESİS KODU EKSİK. İŞLENMEDİ. ").repeated(12);
    QTest::newRow("one unbreakable word") << QString(300, u'W');
    QTest::newRow("looks like markup") << QStringLiteral("<b>Kisi</b> & <Tarih>");
}

void TestTransientMessage::windowLayout()
{
    QFETCH(QString, text);
    qApp->setStyleSheet(kHostileStyleSheet);

    const auto window = createTransientMessageWindow(text, TransientMessageOptions());
    QCOMPARE(window->parent(), nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Mesaj"));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(window->minimumSize(), window->maximumSize());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The offscreen platform draws no frame, so the client area takes the whole outer size.
    QCOMPARE(window->frameGeometry().size(), QSize(360, 120));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    QVERIFY((window->frameGeometry().center() - screenCentre).manhattanLength() <= 2);

    auto *label = window->findChild<QLabel *>();
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(label->wordWrap());
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    // Text that does not fit is cut off: the label never grows past the client area.
    QCOMPARE(label->geometry(), window->rect());
}

void TestTransientMessage::flashTimerClosesOnceAndSurvivesAGoneWindow()
{
    QWidget window;
    window.show();
    TFlashTimer timer;

    timer.closeAfter(&window, 0);
    QCOMPARE(timer.interval(), 0);
    QVERIFY2(!timer.isActive(), "a zero delay must never close the window");

    timer.closeAfter(&window, 40);
    QCOMPARE(timer.interval(), 40);
    QVERIFY(timer.isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 2000);
    QVERIFY(!timer.isActive());

    {
        auto gone = std::make_unique<QWidget>();
        timer.closeAfter(gone.get(), 10);
    }
    QCOMPARE(timer.window(), nullptr);
    timer.formclose(); // nothing left to close; must not touch freed memory
    QVERIFY(!timer.isActive());
}

void TestTransientMessage::showsAndClosesByTimer()
{
    qApp->setStyleSheet(kHostileStyleSheet);
    ShownWindow seen;
    probeModalWindowAfter(30, seen);
    closeAnyModalAfter(5000);

    QElapsedTimer clock;
    clock.start();
    mesajGoster(QStringLiteral("Kayıt tamam"), QStringLiteral("tip=success,delay=150"));
    const qint64 elapsed = clock.elapsed();

    QVERIFY2(seen.visible, "no modal window was shown");
    QCOMPARE(seen.caption, QStringLiteral("Mesaj"));
    QCOMPARE(seen.frame.size(), QSize(360, 120));
    QVERIFY2(elapsed >= 140, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));
    QVERIFY2(seen.dialog.isNull(), "the window outlived the call");
}

void TestTransientMessage::delayZeroWaitsForTheUser()
{
    bool closedByHand = false;
    closeByHandAfter(200, closedByHand);
    closeAnyModalAfter(5000);

    QElapsedTimer clock;
    clock.start();
    mesajGoster(QStringLiteral("Bekliyor"), QStringLiteral("delay=0"));

    QVERIFY2(closedByHand, "the window closed before the user closed it");
    QVERIFY(clock.elapsed() >= 190);
}

void TestTransientMessage::closingEarlyEndsTheCallAtOnce()
{
    bool closedByHand = false;
    closeByHandAfter(50, closedByHand);

    QElapsedTimer clock;
    clock.start();
    mesajGoster(QStringLiteral("Uzun mesaj"), QStringLiteral("tip=info,delay=5000"));

    QVERIFY(closedByHand);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

void TestTransientMessage::hookReplacesTheWindowAndNests()
{
    QStringList outer;
    QStringList inner;
    {
        ScopedMesajGosterHook outerHook(
            [&outer](const QString &text, const QString &options) { outer << text + u'|' + options; });
        {
            ScopedMesajGosterHook innerHook([&inner](const QString &text, const QString &options) {
                inner << text + u'|' + options;
            });
            QElapsedTimer clock;
            clock.start();
            mesajGoster(QStringLiteral("Seçim yapınız"), QStringLiteral("tip=warn,delay=5000"));
            QVERIFY2(clock.elapsed() < 1000, "a window was shown despite the hook");
            QVERIFY(QApplication::topLevelWidgets().isEmpty());
        }
        mesajGoster(QStringLiteral("İkinci"));
    }
    QCOMPARE(inner, QStringList{QStringLiteral("Seçim yapınız|tip=warn,delay=5000")});
    QCOMPARE(outer, QStringList{QStringLiteral("İkinci|")});
    QVERIFY2(!setMesajGosterHook({}), "the guards did not put back the empty hook");
}

void TestTransientMessage::stderrTrace_data()
{
    QTest::addColumn<bool>("traceOn");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("written");

    QTest::newRow("off") << false << "Otel X" << "tip=error" << QString();
    QTest::newRow("line breaks become blanks")
        << true << QStringLiteral("Otel X:\nTESİS KODU EKSİK.\r\nİŞLENMEDİ.") << "tip=error,delay=2000"
        << QStringLiteral("Selvane: [error] Otel X: TESİS KODU EKSİK. İŞLENMEDİ.\n");
    QTest::newRow("neutral") << true << QStringLiteral("Seçim yapınız") << "tip=Error"
                             << QStringLiteral("Selvane: [neutral] Seçim yapınız\n");
}

void TestTransientMessage::stderrTrace()
{
    QFETCH(bool, traceOn);
    QFETCH(QString, text);
    QFETCH(QString, options);
    QFETCH(QString, written);

    ScopedMesajGosterHook quiet([](const QString &, const QString &) {});
    setMesajGosterStderrTrace(traceOn);
    QCOMPARE(mesajGosterStderrTrace(), traceOn);
    StderrCapture capture;
    mesajGoster(text, options);
    QCOMPARE(capture.finish(), written);
}

void TestTransientMessage::stderrTraceStillShowsTheWindow()
{
    setMesajGosterStderrTrace(true);
    ShownWindow seen;
    probeModalWindowAfter(20, seen);
    closeAnyModalAfter(5000);

    StderrCapture capture;
    mesajGoster(QStringLiteral("Dosya yazılamadı"), QStringLiteral("tip=warn,delay=80"));
    // The platform may add lines of its own while the window is up.
    const QStringList lines = capture.finish().split(u'\n');

    QVERIFY2(seen.visible, "the trace replaced the window instead of adding to it");
    QCOMPARE(lines.count(QStringLiteral("Selvane: [warn] Dosya yazılamadı")), 1);
}

QTEST_MAIN(TestTransientMessage)
#include "tst_transientmessage.moc"
