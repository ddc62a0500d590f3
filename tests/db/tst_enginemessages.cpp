#include "TestSupport.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/EngineMessageTranslation.h"
#include "db/Query.h"

#include <QtTest>

// The operator reads Turkish; the engine's own words stay in parentheses for support.
class TestEngineMessages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void textsAreGivenInTurkish_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("shown");
        QTest::newRow("locked") << "database is locked"
                                << "Kayıt dosyası başka bir program tarafından kullanılıyor (database is locked)";
        QTest::newRow("not a database") << "file is not a database"
                                        << "Kayıt dosyası bir veritabanı değil ya da bozuk (file is not a database)";
        QTest::newRow("malformed") << "database disk image is malformed"
                                   << "Kayıt dosyası bozulmuş (database disk image is malformed)";
        QTest::newRow("read-only file") << "attempt to write a readonly database"
                                        << "Kayıt dosyası salt okunur, değişiklik yazılamadı (attempt to write a readonly database)";
        QTest::newRow("not null names the column")
            << "NOT NULL constraint failed: TESISLER.TESISKODU"
            << "TESISKODU alanı boş bırakılamaz (NOT NULL constraint failed: TESISLER.TESISKODU)";
        QTest::newRow("missing column") << "no such column: NOSUCH"
                                        << "Kayıt dosyasında NOSUCH sütunu yok (no such column: NOSUCH)";
        QTest::newRow("syntax") << "near \"FROM\": syntax error"
                                << "Sorgu metninde yazım hatası (\"FROM\" yakınında) (near \"FROM\": syntax error)";
        QTest::newRow("required field") << "Field '_IDODAEV' must have a value"
                                        << "_IDODAEV alanına bir değer girilmeli (Field '_IDODAEV' must have a value)";
        QTest::newRow("unknown field") << "Field 'KIMLIKTURU' not found"
                                       << "KIMLIKTURU alanı bulunamadı (Field 'KIMLIKTURU' not found)";
        QTest::newRow("time") << "'9:3x' is not a valid time" << "'9:3x' geçerli bir saat değil ('9:3x' is not a valid time)";
        QTest::newRow("date, not date and time") << "'10.12' is not a valid date"
                                                 << "'10.12' geçerli bir tarih değil ('10.12' is not a valid date)";
        QTest::newRow("date and time") << "'' is not a valid date and time"
                                       << "'' geçerli bir tarih ve saat değil ('' is not a valid date and time)";
        QTest::newRow("quote inside the value") << "'O'NEIL' is not a valid integer value"
                                                << "'O'NEIL' geçerli bir tam sayı değil ('O'NEIL' is not a valid integer value)";
        QTest::newRow("boolean") << "'belki' is not a valid boolean value"
                                 << "'belki' geçerli bir evet/hayır değeri değil ('belki' is not a valid boolean value)";
        QTest::newRow("closed list with its name") << "Cannot perform this operation on a closed dataset (post)"
                                                   << "Liste kapalıyken bu işlem yapılamaz (Cannot perform this operation on a closed dataset (post))";
        // Our own Turkish texts and texts the table does not know pass unchanged.
        QTest::newRow("validator's own text") << "Tc No Eksik." << "Tc No Eksik.";
        QTest::newRow("unknown English") << "something else happened" << "something else happened";
        QTest::newRow("only the whole text matches") << "the database is locked now" << "the database is locked now";
    }

    void textsAreGivenInTurkish()
    {
        QFETCH(QString, engine);
        QFETCH(QString, shown);
        QCOMPARE(EngineMessageTranslation::operatorText(engine), shown);
        // An error raised with the text carries the Turkish form and keeps the original.
        const AppError error(engine);
        QCOMPARE(error.message(), shown);
        QCOMPARE(error.originalText(), engine);
        // Passing a message on again does not translate it twice.
        QCOMPARE(AppError(error.message()).message(), shown);
    }

    // The engine's real texts reach the operator in Turkish.
    void engineErrorsArriveInTurkish()
    {
        testsupport::ScopedWorkDir dir;
        Database db;
        db.open("qrt.db");
        db.executeScript("CREATE TABLE T (ID INTEGER PRIMARY KEY, NAME VARCHAR(5) NOT NULL);");
        try {
            db.execute("INSERT INTO T (NAME) VALUES (NULL)");
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("NAME alanı boş bırakılamaz (NOT NULL constraint failed: T.NAME)"));
        }
        try {
            db.scalar("SELECT NOSUCH FROM T");
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("Kayıt dosyasında NOSUCH sütunu yok (no such column: NOSUCH)"));
        }
    }
};

QTEST_GUILESS_MAIN(TestEngineMessages)
#include "tst_enginemessages.moc"
