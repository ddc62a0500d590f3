#include "TestSupport.h"
#include "controls/FilterGrid.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "forms/TFrameMisafirler.h"
#include "gen/TransientMessage.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString day(int offset) { return QDate::currentDate().addDays(offset).toString("yyyy-MM-dd"); }

// A facility with one room and stays around today, on a fresh database.
struct GuestList {
    testsupport::ScopedWorkDir dir;
    Tdm1 dm;
    TFrameMisafirler frame{&dm};

    GuestList()
    {
        dm.dbMain()->executeScript(
            "INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P','Otel Güneş');"
            "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES (1,'101');");
        addStay("Kalan", day(-1), QVariant());   // staying, no departure
        addStay("Giden", day(-3), day(-1));      // left yesterday
        addStay("Bugun", day(-2), day(0));       // leaves today: still listed
        addStay("Yeni", day(0), day(-5));        // arrives today, odd departure: listed
    }
    void addStay(const QString &name, const QString &arrival, const QVariant &departure)
    {
        dm.dbMain()->execute(
            "INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,MEDENIDURUM,"
            "DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH,GELISSAAT,AYRILISTARIH,BABAADI)"
            " VALUES (1,'P','X1','DEU',:ad,'Müller','E','B','Berlin','1980-01-01','Berlin',:gel,'10:00:00.000',:ayr,'Hans')",
            {{"ad", name}, {"gel", arrival}, {"ayr", departure}});
    }
    QStringList names()
    {
        QStringList result;
        Query &q = *frame.fdqry_misafirler();
        for (q.first(); !q.isEof(); q.next())
            result << q.fieldByName("ADI").asString();
        return result;
    }
};

} // namespace

class TestFrameMisafirler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void showingListsTodaysGuestsAndTumuListsAllNewestFirst()
    {
        GuestList g;
        g.frame.doshow();
        QVERIFY(g.frame.konaklayanlarButton()->isChecked());
        QCOMPARE(g.names(), QStringList({"Yeni", "Bugun", "Kalan"}));
        g.frame.tumuButton()->click();
        QCOMPARE(g.names(), QStringList({"Yeni", "Bugun", "Giden", "Kalan"}));
        QCOMPARE(g.frame.smdbgrd_misafir()->model()->headerData(0, Qt::Horizontal).toString(), QString("TESIS ADI"));
    }

    void comingBackShowsKonaklayanlarWithAnEmptyFilterBar()
    {
        GuestList g;
        g.frame.doshow();
        g.frame.tumuButton()->click();
        const int adi = g.frame.smdbgrd_misafir()->model()->columnOfField("ADI");
        g.frame.smdbgrd_misafir()->setFilterText(adi, "Giden");
        QCOMPARE(g.names(), QStringList({"Giden"}));
        g.frame.dohide();
        QVERIFY(!g.frame.fdqry_misafirler()->isOpen());
        g.frame.doshow();
        QVERIFY(g.frame.konaklayanlarButton()->isChecked());
        QVERIFY(!g.frame.smdbgrd_misafir()->hasFilterText());
        QCOMPARE(g.frame.fdqry_misafirler()->macro("filter"), QString("1"));
        QCOMPARE(g.names().size(), 3);
    }

    // Only a change of the choice reads the list again.
    void clickOnTheChosenGosterItemReadsNothing()
    {
        GuestList g;
        g.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.frame));
        g.frame.doshow();
        QSignalSpy reads(g.frame.fdqry_misafirler(), &Query::opened);
        QTest::mouseClick(g.frame.konaklayanlarButton(), Qt::LeftButton);
        QCOMPARE(reads.size(), 0);
        QTest::mouseClick(g.frame.tumuButton(), Qt::LeftButton);
        QCOMPARE(reads.size(), 1);
        QCOMPARE(g.names().size(), 4);
        QTest::mouseClick(g.frame.tumuButton(), Qt::LeftButton);
        QCOMPARE(reads.size(), 1);
        QTest::mouseClick(g.frame.konaklayanlarButton(), Qt::LeftButton);
        QCOMPARE(reads.size(), 2);
        QCOMPARE(g.names().size(), 3);
    }

    void saveCheckRefusesAWrongTcNumberAndKeepsTheRow()
    {
        GuestList g;
        g.frame.doshow();
        QStringList messages;
        ScopedMesajGosterHook capture([&](const QString &text, const QString &) { messages << text; });
        Query &q = *g.frame.fdqry_misafirler();
        q.edit();
        q.fieldByName("UYRUGU").setValue("TC");
        q.fieldByName("ANAADI").setValue("Ayşe");
        q.fieldByName("AYRILISSAAT").setValue(QTime(12, 0));
        q.fieldByName("TCNO").setValue(12345678901ull);
        QVERIFY_THROWS_EXCEPTION(SilentAbort, q.post());
        QCOMPARE(messages, QStringList({"Tc No Hatalı."}));
        QCOMPARE(q.state(), Query::State::Edit);
        QCOMPARE(g.dm.dbMain()->scalar("SELECT COUNT(*) FROM MISAFIR WHERE UYRUGU='TC'").toInt(), 0);
        q.fieldByName("TCNO").setValue(10000000146ull);
        q.post();
        QCOMPARE(g.dm.dbMain()->scalar("SELECT COUNT(*) FROM MISAFIR WHERE UYRUGU='TC'").toInt(), 1);
    }

    void aNewStaySavedShowsAtTheTopOfTumu()
    {
        GuestList g;
        g.frame.doshow();
        g.frame.tumuButton()->click();
        Query &q = *g.frame.fdqry_misafirler();
        q.insert();
        const QList<QPair<const char *, QVariant>> values = {
            {"_IDODAEV", 1}, {"KIMLIKTURU", "P"}, {"KIMLIKSERINO", "P123"}, {"UYRUGU", "GBR"}, {"ADI", "Zoë"},
            {"SOYADI", "O'Neil"}, {"BABAADI", "Tom"}, {"CINSIYET", "K"}, {"MEDENIDURUM", "E"},
            {"DOGUMYERI", "Leeds"}, {"DOGUMTARIHI", QDate(1990, 5, 6)}, {"IKAMETADRESI", "Leeds"},
            {"GELISTARIH", QDate::currentDate()}, {"GELISSAAT", QTime(9, 30)}};
        for (const auto &value : values)
            q.fieldByName(value.first).setValue(value.second);
        q.post();
        q.first();
        QCOMPARE(q.fieldByName("ADI").asString(), QString("Zoë"));
        QCOMPARE(q.fieldByName("TESISADI").asString(), QString("Otel Güneş")); // re-read with its joins
    }

    void aStayWithoutARoomIsRefusedByTheDataLayer()
    {
        GuestList g;
        g.frame.doshow();
        Query &q = *g.frame.fdqry_misafirler();
        q.edit();
        q.fieldByName("AYRILISSAAT").setValue(QTime(12, 0)); // the row passes the validation
        q.fieldByName("_IDODAEV").clear();
        QVERIFY_THROWS_EXCEPTION(AppError, q.post());
        QCOMPARE(q.state(), Query::State::Edit);
    }
};

QTEST_MAIN(TestFrameMisafirler)
#include "tst_framemisafirler.moc"
