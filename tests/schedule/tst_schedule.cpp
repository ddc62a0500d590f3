#include "db/AppError.h"
#include "schedule/CrontabSchedule.h"
#include "schedule/SystemSchedule.h"
#include "schedule/SystemdUserSchedule.h"

#include "FakeScheduler.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using testsupport::FakeScheduler;

namespace {

const QString kFolder = QStringLiteral("/home/otel/Selvane");
const QString kProgram = QStringLiteral("/usr/bin/selvane");

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void systemdTimerIsWrittenEnabledAndReadBack()
    {
        FakeScheduler fake;
        SystemdUserSchedule schedule(ScheduledRun(kFolder, kProgram));
        QVERIFY(schedule.available());
        QVERIFY(!schedule.read().installed);

        schedule.install(QTime(23, 30));
        const QString timer = schedule.timerName();
        QVERIFY(timer.startsWith("selvane-otokaydet-") && timer.endsWith(".timer"));
        QVERIFY(fake.timerEnabled(timer));
        QVERIFY(fake.calls().contains("systemctl --user daemon-reload"));
        QVERIFY(fake.calls().contains("systemctl --user enable " + timer));

        const QString service = readText(QDir(fake.unitFolder()).filePath(schedule.serviceName()));
        QVERIFY(service.contains("WorkingDirectory=/home/otel/Selvane\n"));
        QVERIFY(service.contains("ExecStart=\"/usr/bin/selvane\" -otokaydet\n"));
        QVERIFY(service.contains("Type=oneshot\n"));
        const QString timerText = readText(QDir(fake.unitFolder()).filePath(timer));
        QVERIFY(timerText.contains("OnCalendar=*-*-* 23:30:00\n"));
        QVERIFY(timerText.contains("WantedBy=timers.target\n"));

        const DailySchedule::State state = schedule.read();
        QVERIFY(state.installed);
        QCOMPARE(state.time, QTime(23, 30));
    }

    void aNewTimeReplacesTheInstalledOne()
    {
        FakeScheduler fake;
        SystemdUserSchedule schedule(ScheduledRun(kFolder, kProgram));
        schedule.install(QTime(23, 30));
        fake.clearCalls();
        schedule.install(QTime(6, 5));
        QCOMPARE(schedule.read().time, QTime(6, 5));
        // A running timer only takes the new time when started again.
        QVERIFY(fake.calls().contains("systemctl --user restart " + schedule.timerName()));
    }

    void removingDisablesAndDeletesTheUnits()
    {
        FakeScheduler fake;
        SystemdUserSchedule schedule(ScheduledRun(kFolder, kProgram));
        schedule.install(QTime(23, 30));
        schedule.remove();
        QVERIFY(!fake.timerEnabled(schedule.timerName()));
        QVERIFY(!QFile::exists(QDir(fake.unitFolder()).filePath(schedule.timerName())));
        QVERIFY(!QFile::exists(QDir(fake.unitFolder()).filePath(schedule.serviceName())));
        QVERIFY(!schedule.read().installed);
    }

    // A disabled timer whose files are still there is not a schedule.
    void aTimerFileThatIsNotEnabledReadsAsOff()
    {
        FakeScheduler fake;
        SystemdUserSchedule schedule(ScheduledRun(kFolder, kProgram));
        schedule.install(QTime(23, 30));
        QFile::remove(QDir(fake.stateFolder()).filePath("enabled-" + schedule.timerName()));
        QVERIFY(!schedule.read().installed);
    }

    void eachFolderHasItsOwnTimer()
    {
        FakeScheduler fake;
        SystemdUserSchedule first(ScheduledRun("/srv/otel-a", kProgram));
        SystemdUserSchedule second(ScheduledRun("/srv/otel-b", kProgram));
        QVERIFY(first.timerName() != second.timerName());
        first.install(QTime(23, 30));
        QVERIFY(first.read().installed);
        QVERIFY(!second.read().installed);
    }

    void unitTextsKeepOddPathsWhole_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("workingDirectory");
        QTest::addColumn<QString>("execStart");
        QTest::newRow("space") << "/home/otel/Otel Deniz" << "/opt/my selvane/selvane"
                               << "WorkingDirectory=/home/otel/Otel Deniz\n"
                               << "ExecStart=\"/opt/my selvane/selvane\" -otokaydet\n";
        QTest::newRow("percent is not a specifier") << "/srv/%100" << "/usr/bin/selvane"
                                                    << "WorkingDirectory=/srv/%%100\n"
                                                    << "ExecStart=\"/usr/bin/selvane\" -otokaydet\n";
        QTest::newRow("dollar and quote") << "/srv/x" << "/opt/a$b\"c/selvane" << "WorkingDirectory=/srv/x\n"
                                          << "ExecStart=\"/opt/a$$b\\\"c/selvane\" -otokaydet\n";
    }
    void unitTextsKeepOddPathsWhole()
    {
        QFETCH(QString, folder);
        QFETCH(QString, program);
        QFETCH(QString, workingDirectory);
        QFETCH(QString, execStart);
        const QString service = SystemdUserSchedule(ScheduledRun(folder, program)).serviceText();
        QVERIFY2(service.contains(workingDirectory), qPrintable(service));
        QVERIFY2(service.contains(execStart), qPrintable(service));
    }

    void aFailingSystemctlIsReportedWithItsOwnText()
    {
        FakeScheduler fake;
        fake.setFlag("fail-enable");
        SystemdUserSchedule schedule(ScheduledRun(kFolder, kProgram));
        try {
            schedule.install(QTime(23, 30));
            QFAIL("no error");
        } catch (const AppError &error) {
            QVERIFY2(error.message().contains("is masked"), qPrintable(error.message()));
            QVERIFY(error.message().startsWith("Zamanlayıcı ayarlanamadı"));
        }
        QVERIFY(!schedule.read().installed);
    }

    void lingeringIsSuggestedOnlyWhenOff()
    {
        FakeScheduler fake;
        SystemdUserSchedule schedule(ScheduledRun(kFolder, kProgram));
        schedule.setLingerFolder(fake.lingerFolder());
        QVERIFY(schedule.note().contains("loginctl enable-linger tester"));
        QDir().mkpath(fake.lingerFolder());
        QFile(QDir(fake.lingerFolder()).filePath("tester")).open(QIODevice::WriteOnly);
        QVERIFY(schedule.note().isEmpty());
    }

    void crontabLineIsAddedBesideTheOthersAndReadBack()
    {
        FakeScheduler fake;
        fake.setCrontab("MAILTO=\"\"\n0 3 * * * /usr/local/bin/yedekle\n");
        CrontabSchedule schedule(ScheduledRun(kFolder, kProgram));
        schedule.install(QTime(23, 30));
        const QStringList lines = fake.crontab().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0), QString("MAILTO=\"\""));
        QCOMPARE(lines.at(1), QString("0 3 * * * /usr/local/bin/yedekle"));
        QVERIFY2(lines.at(2).startsWith("30 23 * * * cd '/home/otel/Selvane' && '/usr/bin/selvane' -otokaydet 2>>otokaydet.log # selvane-otokaydet-"),
                 qPrintable(lines.at(2)));
        const DailySchedule::State state = schedule.read();
        QVERIFY(state.installed);
        QCOMPARE(state.time, QTime(23, 30));

        schedule.install(QTime(7, 5));
        QCOMPARE(fake.crontab().count("selvane-otokaydet-"), 1);
        QCOMPARE(schedule.read().time, QTime(7, 5));

        schedule.remove();
        QCOMPARE(fake.crontab(), QString("MAILTO=\"\"\n0 3 * * * /usr/local/bin/yedekle\n"));
        QVERIFY(!schedule.read().installed);
    }

    void crontabWithoutOtherLinesIsRemovedWhole()
    {
        FakeScheduler fake;
        CrontabSchedule schedule(ScheduledRun(kFolder, kProgram));
        QVERIFY(!schedule.read().installed); // "no crontab for tester" is an empty list
        schedule.install(QTime(23, 30));
        schedule.remove();
        QVERIFY(!fake.hasCrontab());
    }

    void crontabLineQuotesForTheShell_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("command");
        QTest::newRow("quote") << "/srv/Otel'in" << "cd '/srv/Otel'\\''in' && ";
        // cron turns a bare % into a new line.
        QTest::newRow("percent") << "/srv/%50" << "cd '/srv/\\%50' && ";
    }
    void crontabLineQuotesForTheShell()
    {
        QFETCH(QString, folder);
        QFETCH(QString, command);
        const QString line = CrontabSchedule(ScheduledRun(folder, kProgram)).lineFor(QTime(23, 30));
        QVERIFY2(line.contains(command), qPrintable(line));
    }

    void aCrontabThatCannotBeReadIsAnError()
    {
        FakeScheduler fake;
        QFile script(QDir(fake.binFolder()).filePath("crontab"));
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write("#!/bin/sh\necho 'You (tester) are not allowed to use this program (crontab)' >&2\nexit 1\n");
        script.close();
        CrontabSchedule schedule(ScheduledRun(kFolder, kProgram));
        try {
            schedule.read();
            QFAIL("no error");
        } catch (const AppError &error) {
            QVERIFY2(error.message().contains("not allowed"), qPrintable(error.message()));
        }
    }

    void withoutSystemdTheCrontabIsUsed()
    {
        FakeScheduler fake({.systemd = false, .crontab = true});
        SystemSchedule schedule(ScheduledRun(kFolder, kProgram));
        QVERIFY(schedule.available());
        schedule.install(QTime(23, 30));
        QVERIFY(fake.crontab().contains("-otokaydet"));
        QVERIFY(QDir(fake.unitFolder()).isEmpty());
        const DailySchedule::State state = schedule.read();
        QVERIFY(state.installed);
        QCOMPARE(state.mechanism, QString("crontab"));
    }

    void withSystemdAnOldCrontabLineMovesToTheTimer()
    {
        FakeScheduler fake;
        CrontabSchedule(ScheduledRun(kFolder, kProgram)).install(QTime(22, 0));
        SystemSchedule schedule(ScheduledRun(kFolder, kProgram));
        QCOMPARE(schedule.read().time, QTime(22, 0)); // found where it is
        schedule.install(QTime(23, 30));
        QVERIFY(!fake.crontab().contains("-otokaydet"));
        QVERIFY(fake.timerEnabled(schedule.systemd().timerName()));
        QCOMPARE(schedule.read().time, QTime(23, 30));
        schedule.remove();
        QVERIFY(!schedule.read().installed);
    }

    void withNeitherThereIsNoScheduler()
    {
        FakeScheduler fake({.systemd = false, .crontab = false});
        SystemSchedule schedule(ScheduledRun(kFolder, kProgram));
        QVERIFY(!schedule.available());
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
