#include "DbFixture.h"
#include "db/DatabaseError.h"

#include <QtTest>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void errorsCarryTheEngineText()
    {
        DbFixture f;
        try {
            f.db.execute("SELECT * FROM NOPE");
            QFAIL("no error");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.originalText(), QString("no such table: NOPE"));
        }
    }

    void scriptIgnoresOnlyMissingObjects()
    {
        DbFixture f;
        // A missing object ends the script quietly: the statement after it does not run.
        f.db.executeScript("INSERT INTO NOPE VALUES(1); INSERT INTO TESISLER(TESISKODU,TESISADI) VALUES(5,'x');", true);
        QCOMPARE(f.count("SELECT COUNT(*) FROM TESISLER"), 2);
        // Any other error is raised.
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
            f.db.executeScript("INSERT INTO TESISLER(TESISKODU) VALUES(5);", true));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, f.db.executeScript("INSERT INTO NOPE VALUES(1);"));
    }

    void secondConnectionFailsAtOnceWithDatabaseIsLocked()
    {
        DbFixture f;
        f.db.execute("UPDATE TESISLER SET TESISADI=TESISADI"); // a write takes the exclusive lock
        Database second;
        QElapsedTimer timer;
        timer.start();
        try {
            second.open("qrt.db");
            second.scalar("SELECT COUNT(*) FROM TESISLER");
            QFAIL("no error");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.message(), QString("Kayıt dosyası başka bir program tarafından kullanılıyor (database is locked)"));
        }
        QVERIFY(timer.elapsed() < 1000);
    }

    void connectionSettings()
    {
        DbFixture f;
        QCOMPARE(f.db.scalar("PRAGMA cache_size").toInt(), 10000);
        QCOMPARE(f.db.scalar("PRAGMA locking_mode").toString(), QString("exclusive"));
        QCOMPARE(f.db.scalar("PRAGMA synchronous").toInt(), 2); // FULL
        QCOMPARE(f.db.scalar("PRAGMA journal_mode").toString(), QString("delete"));
        QCOMPARE(f.db.scalar("PRAGMA foreign_keys").toInt(), 1);
    }

    void transactionRollsBack()
    {
        DbFixture f;
        f.db.beginTransaction();
        f.db.execute("DELETE FROM ODAEV");
        QVERIFY(f.db.inTransaction());
        f.db.rollback();
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV"), 3);
    }

    void unreadableFileReportsTheEngineText()
    {
        testsupport::ScopedWorkDir dir;
        QFile junk("qrt.db");
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        Database db;
        try {
            db.open("qrt.db");
            db.executeScript("SELECT * FROM sqlite_master;");
            QFAIL("no error");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.message(), QString("Kayıt dosyası bir veritabanı değil ya da bozuk (file is not a database)"));
        }
    }

    void commandObserverBracketsEachCommand()
    {
        DbFixture f;
        QStringList calls;
        f.db.setCommandObserver([&](bool started) { calls << (started ? "start" : "end"); });
        f.db.execute("UPDATE TESISLER SET TESISKODU=TESISKODU");
        QCOMPARE(calls, QStringList({"start", "end"}));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
