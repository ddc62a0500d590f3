// The built program twice on one register: an interactive one on the offscreen platform holding
// it, and a second start beside it, a scheduled run or another interactive start.
#include "../notify/ExportFixture.h"
#include "instance/InstanceClient.h"
#include "instance/InstanceName.h"

#include <QLocalServer>
#include <QThread>
#include <QtTest>

#include <csignal>

using namespace Qt::StringLiterals;
using e2e::ExportFixture;
using e2e::Guest;
using e2e::RunResult;

namespace {

const QString kPoliceFolder = u"akbs"_s;
const QString kGendarmerieFolder = u"jkbs"_s;

// The interactive program, started in the fixture's directory and left running.
class OpenWindow {
public:
    explicit OpenWindow(const ExportFixture &fixture)
        : m_name(InstanceName::forRegister(fixture.databasePath()))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        m_process.setProgram(qEnvironmentVariable("SELVANE_BINARY"));
        m_process.setWorkingDirectory(fixture.path());
        m_process.setProcessEnvironment(environment);
        m_process.start();
    }
    ~OpenWindow()
    {
        kill();
        QLocalServer::removeServer(m_name);
    }

    // True once the program answers on the register's name (a bare connection, no request).
    bool waitAnswering()
    {
        return QTest::qWaitFor([this] {
            return m_process.state() == QProcess::Running && InstanceClient(m_name).connectToRunning(200);
        }, 20000);
    }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    QString name() const { return m_name; }
    QString socketPath() const { return QDir(QDir::tempPath()).filePath(m_name); }

private:
    QString m_name;
    QProcess m_process;
};

void verifyFinished(const RunResult &run, int expectedStatus)
{
    QVERIFY2(run.finished, qPrintable(u"the program did not end: "_s + run.standardError));
    QCOMPARE(run.exitStatus, QProcess::NormalExit);
    QCOMPARE(run.exitCode, expectedStatus);
}

// A trace with the second-exact stamps of file names taken out, so two runs compare.
QStringList withoutStamps(const QStringList &lines)
{
    static const QRegularExpression stamp(u"\\d{8}_\\d{6}"_s);
    QStringList result;
    for (QString line : lines)
        result << line.replace(stamp, u"<zaman>"_s);
    return result;
}

// Two runs in one second would name their files alike; the second run starts in a new second.
void waitForNextSecond()
{
    const QTime now = QTime::currentTime();
    QThread::msleep(unsigned(1000 - now.msec() + 50));
}

// One facility per region, one present guest in the police one.
void prepareRegister(const ExportFixture &fixture, bool withFolders, Guest *guest)
{
    fixture.createDatabase();
    if (QTest::currentTestFailed())
        return;
    if (withFolders)
        fixture.setFolders(fixture.makeFolder(kPoliceFolder), fixture.makeFolder(kGendarmerieFolder));
    guest->room = fixture.addRoom(fixture.addFacility(1234, u"P"_s, u"Güneş Pansiyon"_s), u"101"_s);
    fixture.addGuest(*guest);
    fixture.addFacility(5678, u"J"_s, u"Köy Evi"_s);
}

} // namespace

class TestInstanceEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void handedOverExportAnswersAsRunAlone_data();
    void handedOverExportAnswersAsRunAlone();
    void secondInteractiveStartRaisesTheFirst();
    void socketOfKilledProgramIsCleanedUp();
    void silentProgramEndsRunAfterOneMinute();
};

void TestInstanceEndToEnd::initTestCase()
{
    testsupport::pinTurkishLocale();
    QVERIFY2(QFileInfo(qEnvironmentVariable("SELVANE_BINARY")).isExecutable(),
             "SELVANE_BINARY must name the built program");
}

void TestInstanceEndToEnd::handedOverExportAnswersAsRunAlone_data()
{
    QTest::addColumn<bool>("withFolders");
    QTest::addColumn<int>("filesPerRun");
    QTest::newRow("files written") << true << 2;
    QTest::newRow("folders not set") << false << 0;
}

// With the window open the scheduled run no longer meets a locked register: the window writes
// the files on its own connection and the run reports its trace and status exactly as a run on a
// free register does. The window goes on running.
void TestInstanceEndToEnd::handedOverExportAnswersAsRunAlone()
{
    QFETCH(bool, withFolders);
    QFETCH(int, filesPerRun);
    ExportFixture fixture;
    Guest guest;
    prepareRegister(fixture, withFolders, &guest);
    if (QTest::currentTestFailed())
        return;
    const RunResult alone = fixture.run();
    QVERIFY(alone.finished);
    QCOMPARE(fixture.writtenFiles().size(), filesPerRun);
    const QStringList filesOfRunAlone = fixture.writtenFiles();

    OpenWindow window(fixture);
    QVERIFY(window.waitAnswering());
    waitForNextSecond();
    const RunResult handedOver = fixture.run();
    verifyFinished(handedOver, alone.exitCode);
    QCOMPARE(withoutStamps(handedOver.lines), withoutStamps(alone.lines));
    QVERIFY2(!handedOver.standardError.contains(u"database is locked"_s), qPrintable(handedOver.standardError));
    QVERIFY(window.isRunning());

    QStringList newFiles = fixture.writtenFiles();
    for (const QString &file : filesOfRunAlone)
        newFiles.removeOne(file);
    QCOMPARE(newFiles.size(), filesPerRun);
    if (!withFolders)
        return;
    const QString police = newFiles.filter(kPoliceFolder + u'/').value(0);
    e2e::NotificationFile file;
    e2e::readNotificationFile(fixture.filePath(police), 1234, u'P', handedOver, &file);
    QCOMPARE(file.document,
             e2e::expectedKonaklama(1234, file.tarih, {e2e::expectedKisi(guest, 1, u"101"_s)}));
}

// The second start opens no window of its own and does not touch the register: it ends with 0
// once the first program has answered that its window came to the front. The first runs on.
void TestInstanceEndToEnd::secondInteractiveStartRaisesTheFirst()
{
    ExportFixture fixture;
    OpenWindow first(fixture);
    QVERIFY(first.waitAnswering());
    const RunResult second = fixture.run({}, [](QProcessEnvironment &environment) {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    });
    verifyFinished(second, 0);
    QVERIFY2(!second.standardError.contains(u"database is locked"_s), qPrintable(second.standardError));
    QVERIFY(first.isRunning());
    // Still the first program that answers, and only it.
    QVERIFY(InstanceClient(first.name()).connectToRunning(1000));
}

// A program killed with the window open leaves its socket file. A scheduled run then exports on
// its own; the next window takes the name over, and a scheduled run is handed to it again (on its
// own it would find the register locked).
void TestInstanceEndToEnd::socketOfKilledProgramIsCleanedUp()
{
    ExportFixture fixture;
    Guest guest;
    prepareRegister(fixture, true, &guest);
    if (QTest::currentTestFailed())
        return;
    {
        OpenWindow killed(fixture);
        QVERIFY(killed.waitAnswering());
        killed.kill();
        QVERIFY(QFileInfo::exists(killed.socketPath()));
        QVERIFY(!InstanceClient(killed.name()).connectToRunning(500));

        const RunResult alone = fixture.run();
        verifyFinished(alone, 0);
        QCOMPARE(fixture.writtenFiles().size(), 2);

        OpenWindow next(fixture);
        QVERIFY(next.waitAnswering());
        waitForNextSecond();
        const RunResult handedOver = fixture.run();
        verifyFinished(handedOver, 0);
        QCOMPARE(fixture.writtenFiles().size(), 4);
        QVERIFY(next.isRunning());
    }
}

// A program that answers on the name but never says anything more (hung, or stopped): after one
// minute of silence the scheduled run ends with status 1 and says so in Turkish; it does not
// touch the register.
void TestInstanceEndToEnd::silentProgramEndsRunAfterOneMinute()
{
    ExportFixture fixture;
    QLocalServer silent;
    QVERIFY(silent.listen(InstanceName::forRegister(fixture.databasePath())));

    QProcess process;
    process.setProgram(qEnvironmentVariable("SELVANE_BINARY"));
    process.setArguments({u"-otokaydet"_s});
    process.setWorkingDirectory(fixture.path());
    QElapsedTimer clock;
    clock.start();
    process.start();
    QVERIFY(process.waitForFinished(120000));
    const qint64 elapsedMs = clock.elapsed();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    const QString standardError = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(standardError.contains(u"Selvane: Bu klasörde açık olan Selvane 60 saniye içinde yanıt vermedi; "
                                    "bildirim dosyalarının yazıldığı doğrulanamadı.\n"_s),
             qPrintable(standardError));
    QVERIFY2(elapsedMs >= 60000 && elapsedMs < 90000, qPrintable(QString::number(elapsedMs)));
    QVERIFY(!QFileInfo::exists(fixture.databasePath()));
}

QTEST_GUILESS_MAIN(TestInstanceEndToEnd)
#include "tst_instance_e2e.moc"
