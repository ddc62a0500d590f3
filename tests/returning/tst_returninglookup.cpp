#include "data/Tdm1.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "returning/PresentTwiceCheck.h"
#include "returning/ReturningGuestLookup.h"

#include "TestSupport.h"

#include <QtTest>

namespace {

constexpr quint64 kTcNo = 10000000146;
// 1,2,...,9 give the check digits 5 and 0.
constexpr quint64 kOtherTcNo = 12345678950;

QString day(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

// A fresh register with two facilities and a room in each.
struct Register {
    testsupport::ScopedWorkDir dir;
    Tdm1 module;

    Register()
    {
        db().execute("INSERT INTO TESISLER (IDTESISLER,TESISKODU,TESISBOLGE,TESISADI) VALUES "
                     "(1,11,'P','Otel Güneş 1'),(2,12,'J','Deniz Pansiyon')");
        db().execute("INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES (1,1,'101'),(2,2,'7')");
    }
    Database &db() { return *module.dbMain(); }

    qint64 addStay(const QDate &arrival, const QDate &departure, const QVariantMap &changes = {})
    {
        QVariantMap columns{{"_IDODAEV", 1},       {"KIMLIKTURU", "N"},   {"KIMLIKSERINO", "A12B34567"},
                            {"UYRUGU", "TC"},      {"TCNO", qint64(kTcNo)}, {"ADI", "Ayşe"},
                            {"SOYADI", "Yılmaz"},  {"BABAADI", "Ali"},    {"ANAADI", "Fatma"},
                            {"CINSIYET", "K"},     {"MEDENIDURUM", "E"},  {"DOGUMYERI", "İzmir"},
                            {"DOGUMTARIHI", "1985-03-15"}, {"IKAMETADRESI", "Alsancak"},
                            {"GELISTARIH", day(arrival)},  {"GELISSAAT", "14:00:00.000"}};
        if (departure.isValid())
            columns.insert("AYRILISTARIH", day(departure));
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            columns.insert(it.key(), it.value());
        const QStringList names = columns.keys();
        QStringList params;
        for (const QString &name : names)
            params << u':' + name;
        db().execute(QString("INSERT INTO MISAFIR (%1) VALUES (%2)").arg(names.join(','), params.join(',')), columns);
        return db().lastInsertRowId();
    }
};

PersonKey byTcNo(quint64 tcNo = kTcNo)
{
    return {tcNo, {}, {}};
}

PersonKey bySerial(const QString &serial, const QString &nationality)
{
    return {0, serial, nationality};
}

} // namespace

Q_DECLARE_METATYPE(PersonKey)

class TestReturningLookup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void findsTheMostRecentStay_data()
    {
        QTest::addColumn<PersonKey>("key");
        QTest::addColumn<QString>("found");
        QTest::newRow("TC number") << byTcNo() << "Mart";
        QTest::newRow("serial and nationality") << bySerial("U7", "DEU") << "Hans 2";
        QTest::newRow("serial of another nationality") << bySerial("U7", "AUT") << "";
        QTest::newRow("unknown TC number") << byTcNo(kOtherTcNo) << "";
        QTest::newRow("empty key") << PersonKey{} << "";
        // Either key finds the person; the later of the two stays is the one.
        QTest::newRow("both keys") << PersonKey{kOtherTcNo, "U7", "DEU"} << "Hans 2";
    }

    void findsTheMostRecentStay()
    {
        QFETCH(PersonKey, key);
        QFETCH(QString, found);
        Register r;
        r.addStay({2024, 1, 5}, {2024, 1, 7}, {{"ADI", "Ocak"}});
        r.addStay({2025, 3, 1}, {2025, 3, 2}, {{"ADI", "Mart"}});
        r.addStay({2024, 6, 1}, {2024, 6, 3}, {{"ADI", "Haziran"}});
        const QVariantMap foreign{{"TCNO", QVariant()}, {"UYRUGU", "DEU"}, {"KIMLIKSERINO", "U7"}, {"ADI", "Hans 1"}};
        r.addStay({2025, 5, 1}, {2025, 5, 2}, foreign);
        // Same arrival day: the stay entered last counts as the more recent.
        QVariantMap later = foreign;
        later.insert("ADI", "Hans 2");
        r.addStay({2025, 5, 1}, {2025, 5, 3}, later);
        const auto stay = ReturningGuestLookup::find(r.db(), key);
        QCOMPARE(stay ? stay->values.value("ADI").toString() : QString(), found);
    }

    void bringsThePersonNotTheStay()
    {
        Register r;
        r.addStay({2025, 8, 12}, {2025, 8, 14},
                  {{"MESLEGI", "Mimar"}, {"ARACPLAKANO", "35 ABC 12"}, {"NUFUSCILT", 12}, {"NOTLAR", "Deniz manzarası"},
                   {"AYRILISSAAT", "10:00:00.000"}});
        const auto stay = ReturningGuestLookup::find(r.db(), byTcNo());
        QVERIFY(stay);
        QCOMPARE(ReturningGuestLookup::notice(*stay),
                 QStringLiteral("Bu kişi daha önce konakladı: son geliş 12.08.2025, Otel Güneş 1 / 101"));
        // NULL columns (father's name of the civil registry) are left out; the birth date is a date.
        QCOMPARE(QStringList(stay->values.keys()),
                 (QStringList{"ADI", "ANAADI", "ARACPLAKANO", "BABAADI", "CINSIYET", "DOGUMTARIHI", "DOGUMYERI",
                              "IKAMETADRESI", "KIMLIKSERINO", "KIMLIKTURU", "MEDENIDURUM", "MESLEGI", "NUFUSCILT",
                              "SOYADI", "TCNO", "UYRUGU"}));
        QCOMPARE(stay->values.value("DOGUMTARIHI"), QVariant(QDate(1985, 3, 15)));
        QCOMPARE(stay->values.value("TCNO").toULongLong(), kTcNo);
    }

    void lookUpUsesThePersonIndexes_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("index");
        QTest::newRow("TC number") << "TCNO=1" << "TCNO_index";
        QTest::newRow("serial") << "KIMLIKSERINO='A' AND UYRUGU='TC'" << "KIMLIKSERINO_index";
    }

    void lookUpUsesThePersonIndexes()
    {
        QFETCH(QString, condition);
        QFETCH(QString, index);
        Register r;
        Statement explain(r.db(), "EXPLAIN QUERY PLAN SELECT * FROM MISAFIR WHERE " + condition
                                      + " ORDER BY GELISTARIH DESC, IDMISAFIR DESC LIMIT 1");
        QString details;
        while (explain.step())
            details += explain.columnValue(3).toString() + u'\n';
        QVERIFY2(details.contains(index), qPrintable(details));
    }

    // The stored stay is present from 05.12 to 07.12 (it leaves on the 8th).
    void overlappingDays_data()
    {
        QTest::addColumn<QDate>("storedArrival");
        QTest::addColumn<QDate>("storedDeparture");
        QTest::addColumn<QDate>("arrival");
        QTest::addColumn<QDate>("departure");
        QTest::addColumn<bool>("overlaps");
        const QDate d5(2026, 12, 5), d8(2026, 12, 8);
        QTest::newRow("arrives on its last day") << d5 << d8 << QDate(2026, 12, 7) << QDate(2026, 12, 9) << true;
        QTest::newRow("arrives on its departure day") << d5 << d8 << d8 << QDate(2026, 12, 10) << false;
        QTest::newRow("leaves on its arrival day") << d5 << d8 << QDate(2026, 12, 1) << d5 << false;
        QTest::newRow("leaves the day after its arrival") << d5 << d8 << QDate(2026, 12, 1) << QDate(2026, 12, 6) << true;
        QTest::newRow("open, arriving inside") << d5 << d8 << QDate(2026, 12, 6) << QDate() << true;
        QTest::newRow("open, arriving after") << d5 << d8 << QDate(2026, 12, 9) << QDate() << false;
        QTest::newRow("one-day stay on its arrival day") << d5 << d8 << d5 << d5 << true;
        QTest::newRow("stored open stay, new one long after") << d5 << QDate() << QDate(2027, 6, 1) << QDate(2027, 6, 2) << true;
        QTest::newRow("stored open stay, new one leaving on its arrival") << d5 << QDate() << QDate(2026, 12, 1) << d5 << false;
        QTest::newRow("stored one-day stay, new one from that day") << d5 << d5 << d5 << QDate(2026, 12, 6) << true;
        QTest::newRow("stored one-day stay, new one up to that day") << d5 << d5 << QDate(2026, 12, 3) << d5 << false;
    }

    void overlappingDays()
    {
        QFETCH(QDate, storedArrival);
        QFETCH(QDate, storedDeparture);
        QFETCH(QDate, arrival);
        QFETCH(QDate, departure);
        QFETCH(bool, overlaps);
        Register r;
        r.addStay(storedArrival, storedDeparture);
        QCOMPARE(PresentTwiceCheck::find(r.db(), byTcNo(), arrival, departure, -1).has_value(), overlaps);
    }

    void overlapNeedsTheSamePerson_data()
    {
        QTest::addColumn<PersonKey>("key");
        QTest::addColumn<bool>("exceptStored");
        QTest::addColumn<bool>("overlaps");
        QTest::newRow("same TC number") << byTcNo() << false << true;
        QTest::newRow("other TC number") << byTcNo(kOtherTcNo) << false << false;
        QTest::newRow("same serial and nationality") << bySerial("A12B34567", "TC") << false << true;
        QTest::newRow("same serial, other nationality") << bySerial("A12B34567", "AZE") << false << false;
        QTest::newRow("the stay itself") << byTcNo() << true << false;
    }

    void overlapNeedsTheSamePerson()
    {
        QFETCH(PersonKey, key);
        QFETCH(bool, exceptStored);
        QFETCH(bool, overlaps);
        Register r;
        const qint64 id = r.addStay({2026, 12, 5}, {});
        QCOMPARE(PresentTwiceCheck::find(r.db(), key, {2026, 12, 6}, {}, exceptStored ? id : -1).has_value(), overlaps);
    }

    void questionNamesFacilityRoomAndDates()
    {
        Register r;
        r.addStay({2026, 12, 5}, {2026, 12, 9}, {{"_IDODAEV", 2}});
        const auto other = PresentTwiceCheck::find(r.db(), byTcNo(), {2026, 12, 6}, {}, -1);
        QVERIFY(other);
        QCOMPARE(PresentTwiceCheck::question(*other),
                 QStringLiteral("Bu kişi aynı günlerde başka bir konaklamada da kayıtlı: Deniz Pansiyon / 7, geliş "
                                "05.12.2026, ayrılış 09.12.2026.\n\nYine de kaydedilsin mi?"));
        r.db().execute("UPDATE MISAFIR SET AYRILISTARIH=NULL");
        QVERIFY(PresentTwiceCheck::question(*PresentTwiceCheck::find(r.db(), byTcNo(), {2026, 12, 6}, {}, -1))
                    .contains(QStringLiteral("geliş 05.12.2026, ayrılışı girilmemiş.")));
    }
};

QTEST_MAIN(TestReturningLookup)
#include "tst_returninglookup.moc"
