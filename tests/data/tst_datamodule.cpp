#include "TestSupport.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/BooleanWords.h"
#include "db/Database.h"
#include "db/ErrorSink.h"

#include <QFile>
#include <memory>
#include <QtTest>

namespace {
// Collects what the data module reports instead of showing message boxes.
class CapturedErrors {
public:
    CapturedErrors() { ErrorSink::setHandler([this](const QString &m) { messages << m; }); }
    ~CapturedErrors() { ErrorSink::setHandler({}); }
    QStringList messages;
};

QString names(Database &db, const QString &type)
{
    QStringList result;
    Query q(&db);
    q.setSql("SELECT name FROM sqlite_master WHERE type=:type AND name NOT LIKE 'sqlite%' ORDER BY name");
    q.setParam("type", type);
    q.open();
    for (q.first(); !q.isEof(); q.next())
        result << q.field(0)->asString();
    return result.join(',');
}

QString rowsOf(Database &db)
{
    return db.scalar("SELECT (SELECT group_concat(IDAYAR||'/'||COALESCE(AKBXMLDIZIN,'-')||'/'||COALESCE(JKBXMLDIZIN,'-')) FROM AYAR)"
                     "||'|'||(SELECT COUNT(*)||':'||MAX(IDKIMLIKTURU) FROM KIMLIKTURU)"
                     "||'|'||(SELECT COUNT(*)||':'||MAX(IDUYRUK) FROM UYRUK)").toString();
}
} // namespace

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void freshDirectoryGetsSchemaSeedAndLookups()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        Tdm1 module;
        QCOMPARE(dm1, &module);
        QVERIFY(errors.messages.isEmpty());
        QVERIFY(QFile::exists(dir.filePath("qrt.db")));
        Database &db = *module.dbMain();
        QCOMPARE(names(db, "table"), QString("AYAR,BILDIRIMLER,KIMLIKTURU,LOGLAR,MISAFIR,ODAEV,SILINENLER,TESISLER,UYRUK"));
        QCOMPARE(names(db, "index"), QString("AYRILISTARIH_index,GELISTARIH_index,KIMLIKSERINO_index,"
                                             "KIMLIKTURUKODU_index,TCNO_index,UYRUKKODU_index,"
                                             "_IDODAEV_TARIH_index,_IDODAEV_index"));
        QCOMPARE(rowsOf(db), QString("1/-/-|5:5|242:242"));

        Query &uyruk = *module.fdqry_uyruk();
        QVERIFY(uyruk.isOpen());
        QVERIFY(uyruk.isReadOnly());
        QCOMPARE(uyruk.fieldByName("UYRUKADI").asString(), QString("TÜRKİYE"));
        uyruk.next();
        QCOMPARE(uyruk.fieldByName("UYRUKADI").asString(), QString("KUZEY KIBRIS TURK CUMHURİYETİ"));
        QCOMPARE(uyruk.recordCount(), 242);
        Query &kimlik = *module.fdqry_kimlikturu();
        QCOMPARE(kimlik.fieldByName("KIMLIKTURUADI").asString(), QString("Pasaport"));
        QCOMPARE(kimlik.recordCount(), 5);

        QVERIFY(module.FDT());
        QCOMPARE(module.FDT()->GosterilenAlanListesiVer("ODAEV"), QString("TESISADI,ODAEVNO,ODAEVACIKLAMA"));
        QCOMPARE(module.FDT()->GosterilenAlanListesiVer("MISAFIR").split(',').size(), 27);
        QVERIFY(!module.FDT()->contains("misafir"));
    }

    void secondStartChangesNoRowAndRestoresDeletedSeeds()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        {
            Tdm1 first;
            first.dbMain()->execute("UPDATE AYAR SET AKBXMLDIZIN='/srv/akbs'");
        }
        {
            Tdm1 second;
            QCOMPARE(rowsOf(*second.dbMain()), QString("1//srv/akbs/-|5:5|242:242"));
            second.dbMain()->execute("DELETE FROM AYAR");
            second.dbMain()->execute("DELETE FROM UYRUK WHERE UYRUKKODU='TC'");
        }
        Tdm1 third;
        Database &db = *third.dbMain();
        QCOMPARE(db.scalar("SELECT COALESCE(AKBXMLDIZIN,'-')||COALESCE(JKBXMLDIZIN,'-') FROM AYAR WHERE IDAYAR=1").toString(),
                 QString("--"));
        // The nationality comes back under a new id, never a reused one.
        QVERIFY(db.scalar("SELECT IDUYRUK FROM UYRUK WHERE UYRUKKODU='TC'").toInt() > 242);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM UYRUK").toInt(), 242);
        QVERIFY(errors.messages.isEmpty());
    }

    void booleanWordsAreReplaced()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        Tdm1 module;
        QCOMPARE(BooleanWords::trueWords(), QStringList({"E", "Y", "Yes", "Evet", "1", "True"}));
        QCOMPARE(BooleanWords::falseWords(), QStringList({"H", "N", "No", "Hayır", "0", "False"}));
        QVERIFY(BooleanWords::toBool("evet"));
        QVERIFY(!BooleanWords::toBool("hayır"));
    }

    // A register that cannot be used is reported once, in Turkish with the engine's own text,
    // and the program goes on starting. The first window then fails on the same connection in the
    // same turn of the event loop: the operator still sees one box. A later action that fails
    // (the next turn) is reported again, so nothing fails silently.
    void unusableRegisterIsReportedOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("locked by another program")
            << "locked" << "Kayıt dosyası başka bir program tarafından kullanılıyor (database is locked)";
        QTest::newRow("not a database")
            << "junk" << "Kayıt dosyası bir veritabanı değil ya da bozuk (file is not a database)";
    }

    void unusableRegisterIsReportedOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        std::unique_ptr<Tdm1> running;
        if (kind == "locked") {
            running = std::make_unique<Tdm1>();
            QVERIFY(errors.messages.isEmpty());
        } else {
            QFile junk("qrt.db");
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write(QByteArray(8192, 'z'));
        }
        QElapsedTimer timer;
        timer.start();
        Tdm1 second;
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(errors.messages, QStringList({message}));
        QVERIFY(!second.fdqry_uyruk()->isOpen());
        QVERIFY(!second.fdqry_kimlikturu()->isOpen());
        QVERIFY(!second.FDT()); // the steps after the failing one did not run

        Query firstWindow(second.dbMain());
        firstWindow.setSql("SELECT * FROM MISAFIR");
        QVERIFY(!ErrorSink::guard([&] { firstWindow.open(); }));
        QCOMPARE(errors.messages.size(), 1);

        QCoreApplication::processEvents();
        try {
            second.dbMain()->scalar("SELECT 1");
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), message);
            ErrorSink::report(error.message());
        }
        QCOMPARE(errors.messages, QStringList({message, message}));
    }

    void unloadableExtensionIsReportedAndIgnored()
    {
        testsupport::ScopedWorkDir dir;
        for (const char *name : {Tdm1::kFuzzyExtension, Tdm1::kIcuExtension}) {
            QFile junk(name);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write("not a library");
        }
        CapturedErrors errors;
        Tdm1 module;
        QCOMPARE(errors.messages.size(), 1); // the second library is not tried
        QVERIFY(errors.messages.first().contains(Tdm1::kFuzzyExtension));
        QCOMPARE(module.fdqry_uyruk()->recordCount(), 242);
    }

    void storedArrivalDateIsTheEnginesDateText()
    {
        testsupport::ScopedWorkDir dir;
        CapturedErrors errors;
        Tdm1 module;
        Query q(module.dbMain());
        q.setSql("SELECT * FROM MISAFIR");
        q.open();
        q.insert();
        for (const char *name : {"_IDODAEV", "KIMLIKTURU", "KIMLIKSERINO", "UYRUGU", "ADI", "SOYADI", "CINSIYET",
                                 "MEDENIDURUM", "DOGUMYERI", "IKAMETADRESI"})
            q.fieldByName(name).setAsString("1");
        q.fieldByName("DOGUMTARIHI").setValue(QDate(1990, 1, 2));
        q.fieldByName("GELISTARIH").setValue(QDate::currentDate());
        q.post();
        QCOMPARE(module.dbMain()->scalar("SELECT COUNT(*) FROM MISAFIR WHERE GELISTARIH=DATE('now','localtime')").toInt(), 1);
    }
};

QTEST_MAIN(TestDataModule)
#include "tst_datamodule.moc"
