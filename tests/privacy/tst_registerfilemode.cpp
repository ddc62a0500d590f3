#include "PrivacyFixture.h"

#include "privacy/RegisterFileMode.h"

#include <QDir>
#include <QtTest>
#include <sys/stat.h>

using namespace privacytest;

namespace {

// The permission bits as stat reports them; -1 when the file is missing.
int modeOf(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return int(status.st_mode & 07777);
}

QString octal(int mode) { return QString::number(mode, 8); }

// The process's file-creation mask, read without changing it.
mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

class TestRegisterFileMode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }
    void init() { RegisterFileMode::takePendingNotice(); }

    // A new register and the journal of its first change belong to the owner alone, whatever
    // the session's mask; the mask is the session's again afterwards, so that the notification
    // files keep the modes the official clients need.
    void newRegisterIsOwnerOnly_data()
    {
        QTest::addColumn<int>("sessionMask");
        QTest::newRow("usual mask 022") << 022;
        QTest::newRow("open mask 000") << 0;
    }
    void newRegisterIsOwnerOnly()
    {
        QFETCH(int, sessionMask);
        const mode_t previous = ::umask(mode_t(sessionMask));
        {
            Register r;
            QCOMPARE(octal(modeOf(r.dir.filePath("qrt.db"))), octal(0600));
            r.addStay(Identity::make("A", 10000000146), day(-2), day(-1));
            QVERIFY(QFile::exists(r.dir.filePath("qrt.db-journal")));
            QCOMPARE(octal(modeOf(r.dir.filePath("qrt.db-journal"))), octal(0600));
            QCOMPARE(int(currentUmask()), sessionMask);
            QCOMPARE(RegisterFileMode::takePendingNotice(), QString());
        }
        ::umask(previous);
    }

    // A register found readable by others is narrowed at start and the operator is told once.
    void sharedRegisterIsNarrowedAndToldOnce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("foundMode");
        QTest::newRow("register 0644") << "qrt.db" << 0644;
        QTest::newRow("register 0640") << "qrt.db" << 0640;
        QTest::newRow("register 0666") << "qrt.db" << 0666;
        QTest::newRow("register 0604") << "qrt.db" << 0604;
        QTest::newRow("journal left 0644") << "qrt.db-journal" << 0644;
    }
    void sharedRegisterIsNarrowedAndToldOnce()
    {
        QFETCH(QString, file);
        QFETCH(int, foundMode);
        Register r;
        r.addStay(Identity::make("A", 10000000146), day(-2), day(-1));
        r.module.reset();
        const QString path = r.dir.filePath(file);
        if (!QFile::exists(path))
            QFile(path).open(QIODevice::WriteOnly);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(foundMode)) == 0);

        r.start();
        QCOMPARE(octal(modeOf(path)), octal(0600));
        const QString notice = RegisterFileMode::takePendingNotice();
        QVERIFY2(notice.contains(file + " dosyasını") && notice.contains(octal(foundMode)), qPrintable(notice));
        QVERIFY(notice.contains("0600"));
        QCOMPARE(RegisterFileMode::takePendingNotice(), QString());
        QCOMPARE(r.errors.messages, QStringList());

        r.restart();
        QCOMPARE(RegisterFileMode::takePendingNotice(), QString());
        QCOMPARE(octal(modeOf(r.dir.filePath("qrt.db"))), octal(0600));
    }

    // The backup folder and its copies are the owner's alone too (when backups are taken).
    void backupsAreOwnerOnly()
    {
        Register r;
        r.addStay(Identity::make("A", 10000000146), day(-2), day(-1));
        r.restart();
        const QDir backups(r.dir.filePath("yedek"));
        if (!backups.exists())
            QSKIP("no backup folder is made at start in this build");
        QCOMPARE(octal(modeOf(backups.path())), octal(0700));
        for (const QString &name : backups.entryList(QDir::Files))
            QCOMPARE(octal(modeOf(backups.filePath(name))), octal(0600));
    }
};

QTEST_MAIN(TestRegisterFileMode)
#include "tst_registerfilemode.moc"
