#include "backup/BackupFolder.h"
#include "backup/BackupRestore.h"
#include "backup/BackupRestoreDialog.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include "CapturedErrors.h"

namespace {

const QDateTime kMoment(QDate(2026, 12, 10), QTime(14, 5, 9));

using testsupport::CapturedErrors;

// A small register whose one row tells which file it is.
void writeRegister(const QString &path, const QString &mark)
{
    Database db;
    db.open(path);
    db.execute("CREATE TABLE IF NOT EXISTS ISARET (ADI VARCHAR(80))");
    db.execute("DELETE FROM ISARET");
    db.execute("INSERT INTO ISARET VALUES (:m)", {{"m", mark}});
}

QString markOf(const QString &path)
{
    Database db;
    db.open(path);
    return db.scalar("SELECT ADI FROM ISARET").toString();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A register "bugün" with copies of 8 and 9 December beside it.
struct RegisterWithCopies {
    testsupport::ScopedWorkDir dir;
    QString copy8 = dir.filePath("yedek/qrt-20261208.db");
    QString copy9 = dir.filePath("yedek/qrt-20261209.db");
    RegisterWithCopies()
    {
        writeRegister("qrt.db", "bugün");
        QDir().mkpath(dir.filePath("yedek"));
        writeRegister(copy8, "8 Aralık");
        writeRegister(copy9, "9 Aralık");
    }
    QStringList folderNames() const { return QDir(dir.filePath("yedek")).entryList(QDir::Files, QDir::Name); }
};

// Answers every message box and remembers what was asked.
struct AnsweredBoxes {
    QList<MessageBoxes::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        asked << request;
        return request.kind == MessageBoxes::Kind::Warning ? answer : QMessageBox::Ok;
    }};
};

// The restore window as the operator drives it: the list, the arrow keys, the button.
struct RestoreWindow {
    BackupRestoreDialog dialog{"qrt.db", nullptr};
    int releases = 0;
    int restarts = 0;
    RestoreWindow()
    {
        dialog.setReleaseRegister([this] { ++releases; });
        dialog.setRestart([this] { ++restarts; });
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    void chooseWithArrowKeys(int downs)
    {
        dialog.copyList()->setFocus();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(dialog.copyList(), Qt::Key_Down);
    }
    void pressRestore()
    {
        dialog.restoreButton()->setFocus();
        QTest::keyClick(dialog.restoreButton(), Qt::Key_Space);
    }
};

} // namespace

class TestBackupRestore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void theCopyTakesThePlaceOfTheRegisterWhichIsKept()
    {
        RegisterWithCopies r;
        const QString kept = BackupRestore::putInPlace("qrt.db", r.copy9, kMoment);
        QCOMPARE(QFileInfo(kept).fileName(), QString("qrt-geri-yukleme-oncesi-20261210-140509.db"));
        QCOMPARE(markOf("qrt.db"), QString("9 Aralık"));
        QCOMPARE(markOf(kept), QString("bugün"));
        QCOMPARE(markOf(r.copy9), QString("9 Aralık")); // the copy itself stays for another time
        QCOMPARE(QFile::permissions(kept) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
        QCOMPARE(QFile::permissions("qrt.db") & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
        QCOMPARE(r.folderNames(), (QStringList{"qrt-20261208.db", "qrt-20261209.db", "qrt-geri-yukleme-oncesi-20261210-140509.db"}));
    }

    // A journal left by a crash would be rolled back into the restored copy.
    void aJournalBesideTheRegisterGoesAsideWithIt()
    {
        RegisterWithCopies r;
        writeFile("qrt.db-journal", "half a transaction");
        const QString kept = BackupRestore::putInPlace("qrt.db", r.copy8, kMoment);
        QVERIFY(!QFileInfo::exists("qrt.db-journal"));
        // The journal went aside with its register; reading the kept register's recorded
        // erasures opens it with its journal, so the engine settles the two there, not beside
        // the restored copy.
        QCOMPARE(markOf(kept), QString("bugün"));
        QCOMPARE(markOf("qrt.db"), QString("8 Aralık"));
    }

    void aBrokenCopyIsRefusedWithTheEngineText()
    {
        RegisterWithCopies r;
        writeFile(r.copy9, QByteArray("bozuk").repeated(500));
        try {
            BackupRestore::checkCopy(r.copy9);
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("Seçilen yedek kullanılamaz: qrt-20261209.db (Kayıt dosyası bir veritabanı değil ya da bozuk (file is not a database))"));
        }
        BackupRestore::checkCopy(r.copy8);
    }

    void theWindowListsTheCopiesWithDayAndSize()
    {
        RegisterWithCopies r;
        RestoreWindow w;
        QCOMPARE(w.dialog.windowTitle(), QString("Yedekten Geri Yükle"));
        QTreeWidget *list = w.dialog.copyList();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QString("09.12.2026 Çarşamba"));
        QCOMPARE(list->topLevelItem(1)->text(0), QString("08.12.2026 Salı"));
        QCOMPARE(list->topLevelItem(0)->text(1), QLocale().formattedDataSize(QFileInfo(r.copy9).size(), 1, QLocale::DataSizeTraditionalFormat));
        QVERIFY(list->topLevelItem(0)->text(1).endsWith(" kB"));
        QVERIFY(w.dialog.restoreButton()->isEnabled());
        QVERIFY(!w.dialog.findChild<QLabel *>("emptyNote")->isVisible());
    }

    void restoringAChosenCopyReleasesTheRegisterAndStartsAgain()
    {
        RegisterWithCopies r;
        AnsweredBoxes boxes;
        RestoreWindow w;
        w.chooseWithArrowKeys(1);
        w.pressRestore();
        QCOMPARE(boxes.asked.size(), 1);
        QCOMPARE(boxes.asked.first().kind, MessageBoxes::Kind::Warning);
        QVERIFY(boxes.asked.first().text.startsWith("08.12.2026 Salı tarihli yedek geri yüklensin mi?"));
        QCOMPARE(w.releases, 1);
        QCOMPARE(w.restarts, 1);
        QCOMPARE(markOf("qrt.db"), QString("8 Aralık"));
        QVERIFY(r.folderNames().last().startsWith("qrt-geri-yukleme-oncesi-"));
        QVERIFY(!w.dialog.isVisible());
    }

    void cancellingTheQuestionChangesNothing()
    {
        RegisterWithCopies r;
        AnsweredBoxes boxes;
        boxes.answer = QMessageBox::Cancel;
        RestoreWindow w;
        w.pressRestore();
        QCOMPARE(boxes.asked.size(), 1);
        QCOMPARE(w.releases, 0);
        QCOMPARE(w.restarts, 0);
        QCOMPARE(markOf("qrt.db"), QString("bugün"));
        QCOMPARE(r.folderNames().size(), 2);
    }

    void aBrokenCopyIsShownAndNothingChanges()
    {
        RegisterWithCopies r;
        writeFile(r.copy9, QByteArray("bozuk").repeated(500));
        AnsweredBoxes boxes;
        RestoreWindow w;
        w.pressRestore();
        QCOMPARE(boxes.asked.size(), 1);
        QCOMPARE(boxes.asked.first().kind, MessageBoxes::Kind::Error);
        QVERIFY(boxes.asked.first().text.contains("file is not a database"));
        QCOMPARE(w.releases, 0);
        QCOMPARE(markOf("qrt.db"), QString("bugün"));
        QVERIFY(w.dialog.isVisible());
    }

    void withoutCopiesTheWindowSaysSo()
    {
        testsupport::ScopedWorkDir dir;
        RestoreWindow w;
        QCOMPARE(w.dialog.copyList()->topLevelItemCount(), 0);
        QVERIFY(!w.dialog.restoreButton()->isEnabled());
        QVERIFY(w.dialog.findChild<QLabel *>("emptyNote")->isVisible());
    }

    // The running program holds its register in exclusive mode; after it lets go, the restored
    // copy is what the next start opens.
    void theRunningProgramsRegisterIsReplaced()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        AnsweredBoxes boxes;
        auto module = std::make_unique<Tdm1>();
        module->dbMain()->execute("UPDATE AYAR SET AKBXMLDIZIN='/eski'");
        module.reset();
        QDir().mkpath(dir.filePath("yedek"));
        QVERIFY(QFile::copy("qrt.db", dir.filePath("yedek/qrt-20261201.db")));
        module = std::make_unique<Tdm1>();
        module->dbMain()->execute("UPDATE AYAR SET AKBXMLDIZIN='/yeni'");

        RestoreWindow w;
        w.dialog.setReleaseRegister([&] {
            module->fdqry_uyruk()->close();
            module->fdqry_kimlikturu()->close();
            module->dbMain()->close();
        });
        w.chooseWithArrowKeys(0);
        w.pressRestore();
        QCOMPARE(w.restarts, 1);
        module = std::make_unique<Tdm1>(); // the program started again
        QCOMPARE(module->dbMain()->scalar("SELECT AKBXMLDIZIN FROM AYAR").toString(), QString("/eski"));
        QVERIFY(errors.messages.isEmpty());
    }
};

QTEST_MAIN(TestBackupRestore)
#include "tst_backuprestore.moc"
