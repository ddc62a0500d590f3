#include "controls/IconList.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "forms/TFormAyar.h"

#include "FakeScheduler.h"
#include "TestSupport.h"
#include "schedule/ScheduleBox.h"

#include <QCheckBox>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>
#include "CapturedErrors.h"

namespace {

using testsupport::CapturedErrors;

// The settings window on a fresh database.
struct SettingsWindow {
    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    Tdm1 module;
    IconList icons;
    TFormAyar form{module.dbMain(), &icons};

    struct ChooserCall {
        QString title;
        QString startFolder;
    };
    QList<ChooserCall> chooserCalls;
    QString chooserAnswer;

    SettingsWindow()
    {
        form.setFolderChooser([this](QWidget *, const QString &title, const QString &start) {
            chooserCalls << ChooserCall{title, start};
            return chooserAnswer;
        });
    }

    void storeDirectly(const QString &column, const QVariant &value)
    {
        module.dbMain()->execute(QString("UPDATE AYAR SET %1=:v WHERE IDAYAR=1").arg(column), {{"v", value}});
    }
    QVariant stored(const QString &column)
    {
        return module.dbMain()->scalar(QString("SELECT %1 FROM AYAR WHERE IDAYAR=1").arg(column));
    }
    QToolButton *button(const char *name) { return form.findChild<QToolButton *>(name); }
    void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

} // namespace

class TestFormAyar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void windowShowsTheStoredFolders()
    {
        SettingsWindow w;
        w.storeDirectly("AKBXMLDIZIN", "/srv/akbs");
        w.storeDirectly("JKBXMLDIZIN", "/srv/jkbs");
        w.form.show();
        QCOMPARE(w.form.windowTitle(), QString("Ayarlar"));
        QVERIFY(w.form.fdqry_ayar()->isOpen());
        QCOMPARE(w.form.dbedtAKBXMLDIZIN()->text(), QString("/srv/akbs"));
        QCOMPARE(w.form.dbedtJKBXMLDIZIN()->text(), QString("/srv/jkbs"));
        QCOMPARE(w.form.dbedtAKBXMLDIZIN()->maxLength(), 255);
        auto *header = w.form.findChild<TVrnHeaderPanel *>();
        QVERIFY(header);
        QCOMPARE(header->LabelCap()->text(), QString("AYARLAR"));
        QCOMPARE(header->ImageIndex(), 121);
        QVERIFY(!w.button("dbnvgrPost")->isEnabled());
        QVERIFY(w.errors.messages.isEmpty());
    }

    // Typing edits the row in memory only; the save button stores it.
    void nothingIsStoredUntilSave()
    {
        SettingsWindow w;
        w.form.show();
        w.type(w.form.dbedtAKBXMLDIZIN(), "/srv/polis");
        QVERIFY(w.form.fdqry_ayar()->isEditing());
        QVERIFY(w.button("dbnvgrPost")->isEnabled());
        QVERIFY(w.stored("AKBXMLDIZIN").isNull());

        QTest::mouseClick(w.button("dbnvgrPost"), Qt::LeftButton);
        QCOMPARE(w.stored("AKBXMLDIZIN").toString(), QString("/srv/polis"));
        QVERIFY(!w.form.fdqry_ayar()->isEditing());
        QVERIFY(!w.button("dbnvgrPost")->isEnabled());
        QVERIFY(w.errors.messages.isEmpty());
    }

    void cancelDiscardsTheEdit()
    {
        SettingsWindow w;
        w.storeDirectly("JKBXMLDIZIN", "/srv/jkbs");
        w.form.show();
        w.type(w.form.dbedtJKBXMLDIZIN(), "/baska");
        QTest::mouseClick(w.button("dbnvgrCancel"), Qt::LeftButton);
        QCOMPARE(w.form.dbedtJKBXMLDIZIN()->text(), QString("/srv/jkbs"));
        QCOMPARE(w.stored("JKBXMLDIZIN").toString(), QString("/srv/jkbs"));
        QVERIFY(!w.form.fdqry_ayar()->isEditing());
    }

    void closingWithoutSaveDiscardsAndReopensWithStoredValue()
    {
        SettingsWindow w;
        w.storeDirectly("AKBXMLDIZIN", "/srv/akbs");
        w.form.show();
        w.type(w.form.dbedtAKBXMLDIZIN(), "/kaydedilmedi");
        w.form.close();
        QVERIFY(!w.form.fdqry_ayar()->isOpen());
        QCOMPARE(w.stored("AKBXMLDIZIN").toString(), QString("/srv/akbs"));
        w.form.show();
        QCOMPARE(w.form.dbedtAKBXMLDIZIN()->text(), QString("/srv/akbs"));
        QVERIFY(!w.form.fdqry_ayar()->isEditing());
    }

    // The window checks nothing: an empty folder and one that does not exist are both stored.
    void anyFolderTextIsSaved()
    {
        SettingsWindow w;
        w.storeDirectly("AKBXMLDIZIN", "/srv/akbs");
        w.form.show();
        w.type(w.form.dbedtAKBXMLDIZIN(), "Yok Olan Dizin");
        w.form.dbedtJKBXMLDIZIN()->setFocus();
        w.type(w.form.dbedtJKBXMLDIZIN(), "x");
        QTest::keyClick(w.form.dbedtJKBXMLDIZIN(), Qt::Key_Backspace);
        QTest::mouseClick(w.button("dbnvgrPost"), Qt::LeftButton);
        QCOMPARE(w.stored("AKBXMLDIZIN").toString(), QString("Yok Olan Dizin"));
        QVERIFY(w.stored("JKBXMLDIZIN").toString().isEmpty());
        QVERIFY(w.errors.messages.isEmpty());
    }

    void chooserStartFolder_data()
    {
        QTest::addColumn<QString>("editText");
        QTest::addColumn<QString>("defaultFolder");
        QTest::addColumn<QString>("expected");
        const QString existing = QDir::tempPath();
        const QString other = QDir::homePath();
        QTest::newRow("existing folder in the edit wins") << existing << other << existing;
        QTest::newRow("missing folder in the edit: the default") << "/yok/boyle/bir/dizin" << other << other;
        QTest::newRow("empty edit: the default") << "" << other << other;
        QTest::newRow("nothing exists: the root") << "" << QString(TFormAyar::kAkbsDefaultFolder) << "/";
        QTest::newRow("a file is not a folder") << QCoreApplication::applicationFilePath() << "/yok" << "/";
    }
    void chooserStartFolder()
    {
        QFETCH(QString, editText);
        QFETCH(QString, defaultFolder);
        QFETCH(QString, expected);
        QCOMPARE(TFormAyar::baslangicDizini(editText, defaultFolder), expected);
    }

    // Both client folders are absent here, so an empty police edit starts the chooser at "/".
    void chosenFolderIsEditedNotStored()
    {
        SettingsWindow w;
        w.form.show();
        w.chooserAnswer = "C:\\Program Files\\JGNK\\KBS\\";
        QTest::mouseClick(w.form.findChild<QToolButton *>("btnakbssec"), Qt::LeftButton);
        QCOMPARE(w.chooserCalls.size(), 1);
        QCOMPARE(w.chooserCalls[0].title, QString("Dizin seçin"));
        QCOMPARE(w.chooserCalls[0].startFolder, QString("/"));
        QVERIFY(w.form.fdqry_ayar()->isEditing());
        QCOMPARE(w.form.dbedtAKBXMLDIZIN()->text(), QString("C:\\Program Files\\JGNK\\KBS\\"));
        QVERIFY(w.stored("AKBXMLDIZIN").isNull());
        QTest::mouseClick(w.button("dbnvgrPost"), Qt::LeftButton);
        QCOMPARE(w.stored("AKBXMLDIZIN").toString(), QString("C:\\Program Files\\JGNK\\KBS\\"));
    }

    void chooserStartsAtTheEditsFolderAndCancelChangesNothing()
    {
        SettingsWindow w;
        w.storeDirectly("JKBXMLDIZIN", w.dir.path());
        w.form.show();
        w.chooserAnswer.clear();
        QTest::mouseClick(w.form.findChild<QToolButton *>("btnjkbssec"), Qt::LeftButton);
        QCOMPARE(w.chooserCalls.size(), 1);
        QCOMPARE(w.chooserCalls[0].startFolder, w.dir.path());
        QVERIFY(!w.form.fdqry_ayar()->isEditing());
        QCOMPARE(w.form.dbedtJKBXMLDIZIN()->text(), w.dir.path());
    }

    // Each showing reads the schedule from the system: a timer removed outside the program shows
    // as off the next time.
    void theDailyScheduleShownIsTheOneTheSystemHolds()
    {
        testsupport::FakeScheduler fake;
        SettingsWindow w;
        w.form.show();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QCheckBox *daily = w.form.scheduleBox()->enabledBox();
        QVERIFY(!daily->isChecked());
        daily->setFocus(Qt::TabFocusReason);
        QTest::keyClick(daily, Qt::Key_Space);
        QVERIFY(daily->isChecked());
        const QStringList enabled = QDir(fake.stateFolder()).entryList({"enabled-selvane-otokaydet-*.timer"});
        QCOMPARE(enabled.size(), 1);
        QVERIFY(QDir(fake.unitFolder()).entryList(QDir::Files).size() == 2);
        w.form.close();

        QFile::remove(QDir(fake.stateFolder()).filePath(enabled.first()));
        w.form.show();
        QVERIFY(!daily->isChecked());
        QVERIFY(w.errors.messages.isEmpty());
    }
};

QTEST_MAIN(TestFormAyar)
#include "tst_formayar.moc"
