#include "db/ErrorSink.h"
#include "schedule/ScheduleBox.h"
#include "schedule/SystemSchedule.h"

#include "FakeScheduler.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimeEdit>
#include <QtTest>
#include "CapturedErrors.h"

using testsupport::FakeScheduler;

namespace {

using testsupport::CapturedErrors;

// The box on the fake system, for the folder /srv/otel.
struct Box {
    FakeScheduler fake;
    CapturedErrors errors;
    ScheduleBox box;
    QString timer;

    explicit Box(FakeScheduler::Options options = {}) : fake(options)
    {
        auto schedule = std::make_unique<SystemSchedule>(ScheduledRun("/srv/otel", "/usr/bin/selvane"));
        schedule->systemd().setLingerFolder(fake.lingerFolder());
        timer = schedule->systemd().timerName();
        box.setSchedule(std::move(schedule));
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.refresh();
    }
    void press(QWidget *widget, Qt::Key key)
    {
        widget->setFocus();
        QTest::keyClick(widget, key);
    }
    void typeTime(const QString &digits)
    {
        QTimeEdit *edit = box.timeEdit();
        edit->setFocus(Qt::TabFocusReason); // as a Tab into it: the hours are selected
        QTest::keyClicks(edit, digits);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

} // namespace

class TestScheduleBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void startsOffAtHalfPastEleven()
    {
        Box b;
        QVERIFY(b.box.isEnabled());
        QVERIFY(!b.box.enabledBox()->isChecked());
        QCOMPARE(b.box.enabledBox()->text(), QString("Her gün otomatik kaydet"));
        QCOMPARE(b.box.timeEdit()->time(), QTime(23, 30));
        QCOMPARE(b.box.stateLabel()->text(), QString("Otomatik kayıt kurulu değil."));
    }

    void tickingInstallsAndClearingRemoves()
    {
        Box b;
        b.press(b.box.enabledBox(), Qt::Key_Space);
        QVERIFY(b.fake.timerEnabled(b.timer));
        QVERIFY(b.box.enabledBox()->isChecked());
        QVERIFY2(b.box.stateLabel()->text().startsWith("Kurulu: her gün 23:30"), qPrintable(b.box.stateLabel()->text()));
        QVERIFY(b.box.noteLabel()->text().contains("loginctl enable-linger"));

        b.press(b.box.enabledBox(), Qt::Key_Space);
        QVERIFY(!b.fake.timerEnabled(b.timer));
        QVERIFY(!b.box.enabledBox()->isChecked());
        QVERIFY(b.errors.messages.isEmpty());
    }

    void aTimeTypedBeforeTickingIsTheOneInstalled()
    {
        Box b;
        b.typeTime("0645");
        QCOMPARE(b.box.timeEdit()->time(), QTime(6, 45));
        QVERIFY(!b.fake.timerEnabled(b.timer)); // a time alone installs nothing
        b.press(b.box.enabledBox(), Qt::Key_Space);
        QVERIFY2(b.box.stateLabel()->text().startsWith("Kurulu: her gün 06:45"), qPrintable(b.box.stateLabel()->text()));
    }

    void aNewTimeReplacesTheInstalledRun()
    {
        Box b;
        b.press(b.box.enabledBox(), Qt::Key_Space);
        b.typeTime("2210");
        QVERIFY2(b.box.stateLabel()->text().startsWith("Kurulu: her gün 22:10"), qPrintable(b.box.stateLabel()->text()));
        QVERIFY(b.fake.timerEnabled(b.timer));
    }

    // The box shows what the system holds, not what was last clicked.
    void showsWhatTheSystemHolds()
    {
        Box b;
        b.press(b.box.enabledBox(), Qt::Key_Space);
        QFile::remove(QDir(b.fake.stateFolder()).filePath("enabled-" + b.timer)); // disabled outside the program
        b.box.refresh();
        QVERIFY(!b.box.enabledBox()->isChecked());
    }

    void aFailureIsShownAndTheBoxStaysOff()
    {
        Box b;
        b.fake.setFlag("fail-enable");
        b.press(b.box.enabledBox(), Qt::Key_Space);
        QCOMPARE(b.errors.messages.size(), 1);
        QVERIFY(b.errors.messages.first().contains("is masked"));
        QVERIFY(!b.box.enabledBox()->isChecked());
    }

    void withoutAnySchedulerTheBoxIsDisabledAndSaysWhy()
    {
        Box b({.systemd = false, .crontab = false});
        QVERIFY(!b.box.isEnabled());
        QVERIFY(b.box.stateLabel()->text().contains("zamanlayıcı bulunamadı"));
    }
};

QTEST_MAIN(TestScheduleBox)
#include "tst_schedulebox.moc"
