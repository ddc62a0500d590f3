#include "backup/BackupFolder.h"
#include "backup/DailyBackup.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/ErrorSink.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include "CapturedErrors.h"

namespace {

const QDate kToday(2026, 12, 10);
constexpr QFileDevice::Permissions kGroupOrOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                                    | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

using testsupport::CapturedErrors;

// A register of a few pages, with `rows` guests in a table of its own.
void writeRegister(const QString &path, int rows)
{
    Database db;
    db.open(path);
    db.execute("CREATE TABLE IF NOT EXISTS KAYIT (ID INTEGER PRIMARY KEY, ADI VARCHAR(80))");
    db.beginTransaction();
    for (int i = 0; i < rows; ++i)
        db.execute("INSERT INTO KAYIT (ADI) VALUES (:a)", {{"a", QString("Misafir %1 %2").arg(i).arg(QString(60, 'x'))}});
    db.commit();
}

QVariant valueIn(const QString &path, const QString &sql)
{
    Database db;
    db.open(path);
    return db.scalar(sql);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestDailyBackup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void theDaysCopyIsMadeOwnerOnlyAndHoldsTheRegister()
    {
        testsupport::ScopedWorkDir dir;
        writeRegister("qrt.db", 300);
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday), DailyBackup::Outcome::Made);
        const QString copy = dir.filePath("yedek/qrt-20261210.db");
        QVERIFY(QFileInfo::exists(copy));
        QCOMPARE(valueIn(copy, "SELECT COUNT(*) FROM KAYIT").toInt(), 300);
        QCOMPARE(QFile::permissions(dir.filePath("yedek")) & kGroupOrOthers, QFileDevice::Permissions());
        QCOMPARE(QFile::permissions(copy) & kGroupOrOthers, QFileDevice::Permissions());
        QVERIFY(QFile::permissions(copy) & QFileDevice::ReadOwner);
        QCOMPARE(QDir(dir.filePath("yedek")).entryList(QDir::Files), QStringList{"qrt-20261210.db"});
    }

    void aLaterStartOfTheSameDayLeavesTheCopy()
    {
        testsupport::ScopedWorkDir dir;
        writeRegister("qrt.db", 10);
        DailyBackup::makeCopy("qrt.db", kToday);
        writeRegister("qrt.db", 5);
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday), DailyBackup::Outcome::AlreadyMadeToday);
        QCOMPARE(valueIn(dir.filePath("yedek/qrt-20261210.db"), "SELECT COUNT(*) FROM KAYIT").toInt(), 10);
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday.addDays(1)), DailyBackup::Outcome::Made);
        QCOMPARE(valueIn(dir.filePath("yedek/qrt-20261211.db"), "SELECT COUNT(*) FROM KAYIT").toInt(), 15);
    }

    void withoutARegisterThereIsNothingToCopy()
    {
        testsupport::ScopedWorkDir dir;
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday), DailyBackup::Outcome::NoRegister);
        QVERIFY(!QFileInfo::exists(dir.filePath("yedek")));
    }

    void aWiderFolderIsNarrowed()
    {
        testsupport::ScopedWorkDir dir;
        writeRegister("qrt.db", 1);
        QDir().mkpath(dir.filePath("yedek"));
        QFile::setPermissions(dir.filePath("yedek"), QFileDevice::Permissions(0x7755));
        DailyBackup::makeCopy("qrt.db", kToday);
        QCOMPARE(QFile::permissions(dir.filePath("yedek")) & kGroupOrOthers, QFileDevice::Permissions());
    }

    // The damaged register of a failing disk still opens; its copy does not pass the check.
    void aDamagedRegisterIsReportedAndNoCopyIsKeptOrDropped()
    {
        testsupport::ScopedWorkDir dir;
        writeRegister("qrt.db", 2000);
        QFile file("qrt.db");
        QVERIFY(file.resize(file.size() - 100));
        // Old copies that a successful copy would have dropped stay while the new one fails.
        QDir().mkpath(dir.filePath("yedek"));
        for (int i = 20; i <= 40; ++i)
            writeFile(BackupFolder("qrt.db").copyPathFor(kToday.addDays(-i)), "eski");
        try {
            DailyBackup::makeCopy("qrt.db", kToday);
            QFAIL("no error");
        } catch (const AppError &error) {
            QVERIFY2(error.message().startsWith("Günün yedeği alınamadı: yedek/qrt-20261210.db ("), qPrintable(error.message()));
        }
        QVERIFY(!QFileInfo::exists(dir.filePath("yedek/qrt-20261210.db")));
        QCOMPARE(BackupFolder("qrt.db").copies().size(), 21);
    }

    // A file that is no database at all cannot be opened either; the opening says so.
    void aFileThatIsNoDatabaseIsLeftToTheOpening()
    {
        testsupport::ScopedWorkDir dir;
        writeFile("qrt.db", QByteArray("Bu bir veritabanı değil, sadece bir not.\n").repeated(200));
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday), DailyBackup::Outcome::NotADatabase);
        QVERIFY(!QFileInfo::exists(dir.filePath("yedek/qrt-20261210.db")));
    }

    // The running program's own opening reports the lock; the copy is left for the next start.
    void aRegisterHeldByARunningProgramIsLeftAlone()
    {
        testsupport::ScopedWorkDir dir;
        writeRegister("qrt.db", 1);
        Database running;
        running.open("qrt.db");
        running.execute("INSERT INTO KAYIT (ADI) VALUES ('kilit')"); // takes the exclusive lock
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday), DailyBackup::Outcome::RegisterInUse);
        QVERIFY(!QFileInfo::exists(dir.filePath("yedek/qrt-20261210.db")));
    }

    void copiesNoLongerKeptAreRemovedAndOtherFilesStay()
    {
        testsupport::ScopedWorkDir dir;
        writeRegister("qrt.db", 1);
        QDir().mkpath(dir.filePath("yedek"));
        const BackupFolder folder("qrt.db");
        for (int i = 1; i <= 30; ++i)
            writeFile(folder.copyPathFor(kToday.addDays(-i)), "eski"); // 10 November to 9 December
        writeFile(dir.filePath("yedek/qrt-geri-yukleme-oncesi-20261201-101500.db"), "kenara");
        writeFile(dir.filePath("yedek/notlar.txt"), "not");
        QCOMPARE(DailyBackup::makeCopy("qrt.db", kToday), DailyBackup::Outcome::Made);

        QStringList names;
        for (const BackupCopy &copy : folder.copies())
            names << QFileInfo(copy.path).fileName();
        QCOMPARE(names.size(), 15);
        QCOMPARE(names.first(), QString("qrt-20261210.db"));
        QCOMPARE(names.at(13), QString("qrt-20261127.db"));
        QCOMPARE(names.last(), QString("qrt-20261110.db")); // November's first copy
        QVERIFY(QFileInfo::exists(dir.filePath("yedek/qrt-geri-yukleme-oncesi-20261201-101500.db")));
        QVERIFY(QFileInfo::exists(dir.filePath("yedek/notlar.txt")));
    }

    void theCopyListReadsDaysAndSizes()
    {
        testsupport::ScopedWorkDir dir;
        QDir().mkpath(dir.filePath("yedek"));
        writeFile(dir.filePath("yedek/qrt-20261209.db"), QByteArray(2048, 'a'));
        writeFile(dir.filePath("yedek/qrt-20261210.db"), QByteArray(10, 'a'));
        writeFile(dir.filePath("yedek/qrt-20261399.db"), "not a day");
        writeFile(dir.filePath("yedek/qrt-2026121.db"), "short");
        const QList<BackupCopy> copies = BackupFolder("qrt.db").copies();
        QCOMPARE(copies.size(), 2);
        QCOMPARE(copies.at(0).day, QDate(2026, 12, 10));
        QCOMPARE(copies.at(1).day, QDate(2026, 12, 9));
        QCOMPARE(copies.at(1).size, qint64(2048));
    }

    // Start-up copies the register as the previous start left it, before the tables are brought
    // up to date; the start goes on when the copy fails.
    void theDataModuleCopiesBeforeTheCreationScript()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        writeRegister("qrt.db", 3);
        {
            Tdm1 module;
        }
        const QString copy = dir.filePath("yedek/" + QFileInfo(BackupFolder("qrt.db").copyPathFor(QDate::currentDate())).fileName());
        QVERIFY(QFileInfo::exists(copy));
        QCOMPARE(valueIn(copy, "SELECT COUNT(*) FROM sqlite_master WHERE name='AYAR'").toInt(), 0);
        QCOMPARE(valueIn("qrt.db", "SELECT COUNT(*) FROM sqlite_master WHERE name='AYAR'").toInt(), 1);
        QVERIFY(errors.messages.isEmpty());
    }

    void aFailedCopyIsShownOnceAndTheStartGoesOn()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        writeRegister("qrt.db", 3);
        writeFile(dir.filePath("yedek"), "a file where the folder should be");
        Tdm1 module;
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY2(errors.messages.first().startsWith("Yedek klasörü oluşturulamadı"), qPrintable(errors.messages.first()));
        QCOMPARE(module.dbMain()->scalar("SELECT COUNT(*) FROM AYAR").toInt(), 1);
    }
};

QTEST_MAIN(TestDailyBackup)
#include "tst_dailybackup.moc"
