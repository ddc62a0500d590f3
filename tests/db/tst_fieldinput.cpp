#include "DbFixture.h"
#include "db/AppError.h"
#include "db/EditorBinding.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QLineEdit>
#include <QtTest>

// What an operator types reaches the register as a valid value of its column, or is refused
// with a Turkish message: times in the ways people write them, texts no longer than the column.
class TestFieldInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void timesAreTakenAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("one hour digit") << "9:30" << "09:30:00.000";
        QTest::newRow("dot between") << "9.30" << "09:30:00.000";
        QTest::newRow("two hour digits") << "09:30" << "09:30:00.000";
        QTest::newRow("with seconds") << "09:30:15" << "09:30:15.000";
        QTest::newRow("dots with seconds") << "9.30.15" << "09:30:15.000";
        QTest::newRow("stored form") << "23:59:59.999" << "23:59:59.999";
        QTest::newRow("midnight") << "0:00" << "00:00:00.000";
        QTest::newRow("blanks around") << " 7:05 " << "07:05:00.000";
    }

    void timesAreTakenAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM MISAFIR WHERE IDMISAFIR=2");
        q.open();
        q.edit();
        q.fieldByName("GELISSAAT").setAsString(typed);
        q.post();
        QCOMPARE(f.db.scalar("SELECT GELISSAAT FROM MISAFIR WHERE IDMISAFIR=2").toString(), stored);
    }

    void unreadableTimesAreRefusedInTurkish_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("no such hour") << "24:00";
        QTest::newRow("no such minute") << "9:60";
        QTest::newRow("one minute digit") << "9:3";
        QTest::newRow("comma") << "9,30";
        QTest::newRow("digits only") << "930";
        QTest::newRow("three hour digits") << "109:30";
        QTest::newRow("words") << "dokuz";
    }

    void unreadableTimesAreRefusedInTurkish()
    {
        QFETCH(QString, typed);
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM MISAFIR WHERE IDMISAFIR=1");
        q.open();
        q.edit();
        try {
            q.fieldByName("GELISSAAT").setAsString(typed);
            QFAIL("the time was taken");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("'%1' geçerli bir saat değil ('%1' is not a valid time)").arg(typed));
        }
        QCOMPARE(q.fieldByName("GELISSAAT").asString(), QString("09:05:00"));
    }

    // VARCHAR(n) and CHAR(n) hold at most n characters; a longer text never reaches the row.
    void textsLongerThanTheColumnAreRefused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("room number of 16")
            << "SELECT * FROM ODAEV WHERE IDODAEV=1" << "ODAEVNO" << QString(16, '1')
            << "ODAEVNO alanı en çok 15 karakter alabilir, 16 karakter yazıldı";
        QTest::newRow("room number of 26")
            << "SELECT * FROM ODAEV WHERE IDODAEV=1" << "ODAEVNO" << QString(26, '2')
            << "ODAEVNO alanı en çok 15 karakter alabilir, 26 karakter yazıldı";
        QTest::newRow("fixed length of one") << "SELECT * FROM MISAFIR WHERE IDMISAFIR=1" << "CINSIYET" << "EK"
                                             << "CINSIYET alanı en çok 1 karakter alabilir, 2 karakter yazıldı";
        QTest::newRow("Turkish letters count once") << "SELECT * FROM ODAEV WHERE IDODAEV=1" << "ODAEVNO"
                                                    << "ĞÜŞİÖÇığüşiöçĞÜŞ"
                                                    << "ODAEVNO alanı en çok 15 karakter alabilir, 16 karakter yazıldı";
        QTest::newRow("exactly the size") << "SELECT * FROM ODAEV WHERE IDODAEV=1" << "ODAEVNO" << "ĞÜŞİÖÇığüşiöçĞÜ"
                                          << "";
        QTest::newRow("joined query, base column") << "SELECT ODAEV.*, TESISADI FROM ODAEV LEFT JOIN TESISLER ON "
                                                      "ODAEV._IDTESISLER=TESISLER.IDTESISLER WHERE IDODAEV=1"
                                                   << "ODAEVNO" << QString(20, 'x')
                                                   << "ODAEVNO alanı en çok 15 karakter alabilir, 20 karakter yazıldı";
    }

    void textsLongerThanTheColumnAreRefused()
    {
        QFETCH(QString, sql);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        DbFixture f;
        Query q(&f.db);
        q.setSql(sql);
        q.open();
        const QString before = q.fieldByName(field).asString();
        q.edit();
        QString refusal;
        try {
            q.fieldByName(field).setValue(text);
        } catch (const AppError &error) {
            refusal = error.message();
        }
        QCOMPARE(refusal, message);
        q.post();
        QCOMPARE(q.fieldByName(field).asString(), message.isEmpty() ? text : before);
        QVERIFY(f.count("SELECT MAX(LENGTH(ODAEVNO)) FROM ODAEV") <= 15);
        QVERIFY(f.count("SELECT MAX(LENGTH(CINSIYET)) FROM MISAFIR") <= 1);
    }

    // An editor bound to a text field takes no more characters than the column holds; a typed
    // time may use a dot.
    void boundLineEditKeepsToTheColumnSize()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        QLineEdit number;
        QLineEdit id;
        EditorBinding binding;
        binding.bind(&number, "ODAEVNO");
        binding.bind(&id, "IDODAEV");
        binding.setQuery(&q);
        q.open();
        QCOMPARE(number.maxLength(), 15);
        QCOMPARE(id.maxLength(), 32767);
        number.selectAll();
        QTest::keyClicks(&number, "10110110110110110110110110");
        QCOMPARE(number.text(), QString("101101101101101"));
        q.post();
        QCOMPARE(f.db.scalar("SELECT ODAEVNO FROM ODAEV WHERE IDODAEV=1").toString(), QString("101101101101101"));
    }
};

QTEST_MAIN(TestFieldInput)
#include "tst_fieldinput.moc"
