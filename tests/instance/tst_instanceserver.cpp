// The conversation between a starting program and the one that holds the register, inside one
// process: the server on this thread's event loop, each client on a thread of its own, blocking
// as a real start does.
#include "TestSupport.h"
#include "instance/InstanceClient.h"
#include "instance/InstanceName.h"
#include "instance/InstanceServer.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <mutex>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// What a client saw of its request.
struct ExportAnswer {
    std::optional<int> status;
    QStringList lines;
    QString error;
    qint64 elapsedMs = 0;
};

template <typename Request>
auto onClientThread(Request request)
{
    return std::async(std::launch::async, std::move(request));
}

// Keeps this thread's event loop running (the server needs it) until the client has its answer.
template <typename Result>
bool waitServing(std::future<Result> &answer, int timeoutMs = 15000)
{
    return QTest::qWaitFor([&] { return answer.wait_for(0ms) == std::future_status::ready; }, timeoutMs);
}

std::future<ExportAnswer> requestExport(const QString &name, int silenceMs = 10000)
{
    return onClientThread([name, silenceMs] {
        ExportAnswer answer;
        QElapsedTimer clock;
        clock.start();
        InstanceClient client(name);
        if (!client.connectToRunning()) {
            answer.error = u"not connected"_s;
            return answer;
        }
        answer.status = client.requestExport([&](const QString &line) { answer.lines << line; }, silenceMs, &answer.error);
        answer.elapsedMs = clock.elapsed();
        return answer;
    });
}

std::future<bool> requestRaise(const QString &name)
{
    return onClientThread([name] {
        InstanceClient client(name);
        QString error;
        return client.connectToRunning() && client.requestRaise(10000, &error);
    });
}

// A fresh name per test: the tests of this file never meet another program.
QString freshName()
{
    static int counter = 0;
    return InstanceName::forRegister(u"/nonexistent/selvane-test-%1-%2/qrt.db"_s.arg(QCoreApplication::applicationPid()).arg(++counter));
}

// A socket file with nobody behind it, as a killed program leaves it.
bool leaveStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

} // namespace

class TestInstanceServer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void nameFollowsTheRegister_data();
    void nameFollowsTheRegister();

    void claimTakesOverStaleSocket();
    void raiseBringsWindowForward_data();
    void raiseBringsWindowForward();

    void exportPassesTraceAndStatus_data();
    void exportPassesTraceAndStatus();
    void exportWaitsUntilProgramIsServing();
    void exportRunsInsideOpenModalDialog();
    void exportsRunOneAfterAnother();
    void clientDisappearingDoesNotStopExport();

    void clientGivesUpWithoutAnswer_data();
    void clientGivesUpWithoutAnswer();
};

// The working directory is "real"; "link" is a symbolic link to it, "other" a sibling.
void TestInstanceServer::nameFollowsTheRegister_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");
    QTest::newRow("relative and absolute") << u"qrt.db"_s << u"ROOT/real/qrt.db"_s << true;
    QTest::newRow("dot and parent steps") << u"./qrt.db"_s << u"../real/./qrt.db"_s << true;
    QTest::newRow("through a linked folder") << u"ROOT/link/qrt.db"_s << u"qrt.db"_s << true;
    QTest::newRow("another folder") << u"ROOT/other/qrt.db"_s << u"qrt.db"_s << false;
    QTest::newRow("another file name") << u"qrt2.db"_s << u"qrt.db"_s << false;
}

void TestInstanceServer::nameFollowsTheRegister()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    testsupport::ScopedWorkDir root;
    QVERIFY(QDir(root.path()).mkpath(u"real"_s) && QDir(root.path()).mkpath(u"other"_s));
    QVERIFY(QFile::link(root.filePath(u"real"_s), root.filePath(u"link"_s)));
    QDir::setCurrent(root.filePath(u"real"_s));
    const QString a = InstanceName::forRegister(first.replace(u"ROOT"_s, root.path()));
    const QString b = InstanceName::forRegister(second.replace(u"ROOT"_s, root.path()));
    QCOMPARE(a == b, same);
    QVERIFY(a.startsWith(u"selvane-"_s));
}

// A socket file whose program was killed refuses connections: the next program removes it and
// listens; a third start then finds that program answering. When the program ends normally its
// socket file goes with it.
void TestInstanceServer::claimTakesOverStaleSocket()
{
    const QString name = freshName();
    const QString socketPath = QDir(QDir::tempPath()).filePath(name);
    QVERIFY(leaveStaleSocket(socketPath));
    QVERIFY(!InstanceClient(name).connectToRunning(500));

    QString error;
    {
        InstanceServer holder(name);
        QCOMPARE(holder.claim(&error), InstanceServer::Claim::Listening);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(holder.fullServerName(), socketPath);

        InstanceServer secondStart(name);
        QCOMPARE(secondStart.claim(&error), InstanceServer::Claim::AnotherAnswers);
        QVERIFY(!secondStart.isListening());
        QVERIFY(holder.isListening());
    }
    QVERIFY(!QFile::exists(socketPath));
    QVERIFY(!QFile::exists(InstanceName::claimLockPath(name)));
}

void TestInstanceServer::raiseBringsWindowForward_data()
{
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<bool>("dialogOpen");
    QTest::newRow("minimised window") << true << false;
    QTest::newRow("window behind another") << false << false;
    QTest::newRow("dialog open over it") << false << true;
}

// The running window comes back from the task bar and to the front; an open dialog stays the
// active window, over it.
void TestInstanceServer::raiseBringsWindowForward()
{
    QFETCH(bool, minimised);
    QFETCH(bool, dialogOpen);
    const QString name = freshName();
    InstanceServer server(name);
    QString error;
    QCOMPARE(server.claim(&error), InstanceServer::Claim::Listening);

    QWidget window;
    window.setWindowTitle(u"Selvane"_s);
    window.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    if (minimised)
        window.showMinimized();
    QDialog dialog(&window);
    if (dialogOpen)
        dialog.open();
    server.startServing(&window, [](const InstanceServer::TraceSink &) { return 0; });

    QSignalSpy served(&server, &InstanceServer::raiseServed);
    std::future<bool> answer = requestRaise(name);
    QVERIFY(waitServing(answer));
    QVERIFY(answer.get());
    QCOMPARE(served.size(), 1);
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isMaximized());
    QWidget *expectedActive = dialogOpen ? static_cast<QWidget *>(&dialog) : &window;
    QVERIFY(QTest::qWaitForWindowActive(expectedActive));
    QCOMPARE(dialog.isVisible(), dialogOpen);
}

void TestInstanceServer::exportPassesTraceAndStatus_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("status");
    QTest::newRow("all written, nothing to say") << QStringList() << 0;
    QTest::newRow("a guest left out")
        << QStringList{u"Selvane: [error] Güneş Pansiyon / 101 / Ayşe Öz: geliş saati eksik, bildirime yazılmadı."_s,
                       u"Selvane: 2 tesis, 2 dosya, 12 misafir yazıldı, 1 misafir yazılmadı."_s}
        << 2;
    QTest::newRow("could not run") << QStringList{u"Selvane: Ayar girişi eksik."_s} << 1;
    QTest::newRow("blank and long lines") << QStringList{QString(), QString(5000, u'Ş')} << 0;
}

// The scheduled run learns exactly what the export in the window said, line by line and in order,
// and its exit status; the export is told that the open window asked for it.
void TestInstanceServer::exportPassesTraceAndStatus()
{
    QFETCH(QStringList, lines);
    QFETCH(int, status);
    const QString name = freshName();
    InstanceServer server(name);
    QString error;
    QCOMPARE(server.claim(&error), InstanceServer::Claim::Listening);
    QWidget window;
    int runs = 0;
    server.startServing(&window, [&](const InstanceServer::TraceSink &trace) {
        ++runs;
        for (const QString &line : lines)
            trace(line);
        return status;
    });

    std::future<ExportAnswer> future = requestExport(name);
    QVERIFY(waitServing(future));
    const ExportAnswer answer = future.get();
    QVERIFY2(answer.status.has_value(), qPrintable(answer.error));
    QCOMPARE(*answer.status, status);
    QCOMPARE(answer.lines, lines);
    QCOMPARE(runs, 1);
}

// Until the program has its data module and windows, a request waits: the export is not run on
// a half-started program, and nothing is lost.
void TestInstanceServer::exportWaitsUntilProgramIsServing()
{
    const QString name = freshName();
    InstanceServer server(name);
    QString error;
    QCOMPARE(server.claim(&error), InstanceServer::Claim::Listening);

    std::future<ExportAnswer> future = requestExport(name);
    QVERIFY(!waitServing(future, 500));

    QWidget window;
    server.startServing(&window, [](const InstanceServer::TraceSink &trace) {
        trace(u"Selvane: hazır"_s);
        return 0;
    });
    QVERIFY(waitServing(future));
    const ExportAnswer answer = future.get();
    QCOMPARE(answer.status, std::optional<int>(0));
    QCOMPARE(answer.lines, QStringList{u"Selvane: hazır"_s});
}

// An operator in the middle of typing in a modal dialog: the export runs from the dialog's own
// event loop, and the dialog, its editor and the typed text are as they were.
void TestInstanceServer::exportRunsInsideOpenModalDialog()
{
    const QString name = freshName();
    InstanceServer server(name);
    QString error;
    QCOMPARE(server.claim(&error), InstanceServer::Claim::Listening);
    QWidget window;
    window.show();
    QDialog dialog(&window);
    auto *editor = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(editor);
    bool dialogOpenDuringExport = false;
    server.startServing(&window, [&](const InstanceServer::TraceSink &) {
        dialogOpenDuringExport = dialog.isVisible() && QApplication::activeModalWidget() == &dialog;
        return 0;
    });

    std::future<ExportAnswer> future;
    QString textAfterExport;
    QTimer::singleShot(0, &dialog, [&] {
        editor->setFocus();
        QTest::keyClicks(editor, u"Ayse Oz"_s);
        future = requestExport(name);
    });
    connect(&server, &InstanceServer::exportServed, &dialog, [&] {
        textAfterExport = editor->text();
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    });
    QTimer::singleShot(15000, &dialog, &QDialog::reject); // a hang fails instead of waiting forever
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(dialogOpenDuringExport);
    QCOMPARE(textAfterExport, u"Ayse Oz"_s);
    QVERIFY(future.valid());
    QCOMPARE(future.get().status, std::optional<int>(0));
}

// A second scheduled run that arrives while the first export is showing its messages waits for
// it instead of starting an export inside the export.
void TestInstanceServer::exportsRunOneAfterAnother()
{
    const QString name = freshName();
    InstanceServer server(name);
    QString error;
    QCOMPARE(server.claim(&error), InstanceServer::Claim::Listening);
    QWidget window;
    int running = 0;
    int mostAtOnce = 0;
    int runs = 0;
    server.startServing(&window, [&](const InstanceServer::TraceSink &trace) {
        mostAtOnce = std::max(mostAtOnce, ++running);
        const int run = ++runs;
        QTest::qWait(300); // a transient message keeps the event loop going meanwhile
        trace(u"Selvane: çalışma %1"_s.arg(run));
        --running;
        return run;
    });

    std::future<ExportAnswer> first = requestExport(name);
    std::future<ExportAnswer> second = requestExport(name);
    QVERIFY(waitServing(first));
    QVERIFY(waitServing(second));
    const ExportAnswer a = first.get();
    const ExportAnswer b = second.get();
    QCOMPARE(mostAtOnce, 1);
    QCOMPARE(runs, 2);
    // Each client gets its own run's lines and status.
    QCOMPARE(a.lines, QStringList{u"Selvane: çalışma %1"_s.arg(*a.status)});
    QCOMPARE(b.lines, QStringList{u"Selvane: çalışma %1"_s.arg(*b.status)});
    QCOMPARE(QSet<int>({*a.status, *b.status}), QSet<int>({1, 2}));
}

// A scheduled run killed while the window exports: the export completes, the window goes on
// serving the next request.
void TestInstanceServer::clientDisappearingDoesNotStopExport()
{
    const QString name = freshName();
    InstanceServer server(name);
    QString error;
    QCOMPARE(server.claim(&error), InstanceServer::Claim::Listening);
    QWidget window;
    server.startServing(&window, [&](const InstanceServer::TraceSink &trace) {
        QTest::qWait(300);
        trace(u"Selvane: kimse dinlemiyor"_s);
        return 0;
    });
    QSignalSpy served(&server, &InstanceServer::exportServed);
    std::future<void> gone = onClientThread([name] {
        QLocalSocket socket;
        socket.connectToServer(name);
        socket.waitForConnected(2000);
        socket.write("export\n");
        socket.waitForBytesWritten(2000);
        socket.abort();
    });
    QVERIFY(waitServing(gone));
    QVERIFY(served.wait(5000));

    std::future<ExportAnswer> next = requestExport(name);
    QVERIFY(waitServing(next));
    QCOMPARE(next.get().status, std::optional<int>(0));
}

void TestInstanceServer::clientGivesUpWithoutAnswer_data()
{
    QTest::addColumn<QByteArrayList>("answers"); // sent one by one, 600 ms apart
    QTest::addColumn<bool>("hangUp");            // then close the connection
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("silent");            // the reason is silence, not a broken connection
    QTest::addColumn<int>("atLeastMs");

    QTest::newRow("never answers") << QByteArrayList() << false << QStringList() << true << 1000;
    // Every message starts the waiting time again.
    QTest::newRow("reports, then falls silent")
        << QByteArrayList{"accepted\n", "trace Selvane: [info] başladı\n"} << false
        << QStringList{u"Selvane: [info] başladı"_s} << true << 1500;
    QTest::newRow("ends without a status") << QByteArrayList{"accepted\n"} << true << QStringList() << false << 0;
    QTest::newRow("refuses the request") << QByteArrayList{"refused Bilinmeyen istek\n"} << false << QStringList()
                                         << false << 0;
}

// A program that answers on the name but does not finish the conversation: the scheduled run
// gives up with a Turkish reason and no status, after the silence the caller allowed.
void TestInstanceServer::clientGivesUpWithoutAnswer()
{
    QFETCH(QByteArrayList, answers);
    QFETCH(bool, hangUp);
    QFETCH(QStringList, lines);
    QFETCH(bool, silent);
    QFETCH(int, atLeastMs);
    const QString name = freshName();
    QLocalServer fake;
    QVERIFY(fake.listen(name));
    connect(&fake, &QLocalServer::newConnection, this, [&] {
        QLocalSocket *socket = fake.nextPendingConnection();
        for (qsizetype i = 0; i < answers.size(); ++i) {
            QTimer::singleShot(int(i) * 600, socket, [socket, answer = answers[i]] {
                socket->write(answer);
                socket->flush();
            });
        }
        if (hangUp)
            QTimer::singleShot(int(answers.size()) * 600, socket, [socket] { socket->disconnectFromServer(); });
    });

    std::future<ExportAnswer> future = requestExport(name, 1000);
    QVERIFY(waitServing(future));
    const ExportAnswer answer = future.get();
    QVERIFY(!answer.status.has_value());
    QCOMPARE(answer.lines, lines);
    if (silent)
        QCOMPARE(answer.error, InstanceClient::noAnswerText(1000));
    else
        QVERIFY2(answer.error.startsWith(u"Bu klasörde açık olan Selvane ile bağlantı koptu"_s), qPrintable(answer.error));
    QVERIFY2(answer.elapsedMs >= atLeastMs, qPrintable(QString::number(answer.elapsedMs)));
    QVERIFY2(silent || answer.elapsedMs < 900, qPrintable(QString::number(answer.elapsedMs)));
}

QTEST_MAIN(TestInstanceServer)
#include "tst_instanceserver.moc"
