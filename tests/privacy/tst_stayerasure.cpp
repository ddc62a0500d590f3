#include "PrivacyFixture.h"

#include "db/Query.h"
#include "privacy/RecordedErasures.h"
#include "privacy/StayErasure.h"

#include <QtTest>

using namespace privacytest;

namespace {

const QStringList kAllColumns{"IDMISAFIR", "_IDODAEV", "KIMLIKTURU", "KIMLIKSERINO", "UYRUGU", "TCNO", "ADI",
                              "SOYADI", "BABAADI", "ANAADI", "CINSIYET", "MEDENIDURUM", "DOGUMYERI", "DOGUMTARIHI",
                              "NUFUSKAYITIL", "NUFUSKAYITILCE", "NUFUSKAYITMAH", "NUFUSCILT", "NUFUSAILESIRANO",
                              "NUFUSSIRANO", "IKAMETADRESI", "MESLEGI", "GELISTARIH", "GELISSAAT", "AYRILISTARIH",
                              "AYRILISSAAT", "ARACPLAKANO", "NOTLAR"};

QVariantMap rowOf(Register &r, qint64 stay)
{
    QVariantMap row;
    for (const QString &column : kAllColumns)
        row[column] = r.stored(stay, column);
    return row;
}

QString erasureRecords(Database &db)
{
    return db.scalar("SELECT group_concat(_IDMISAFIR||':'||NEDEN||':'||substr(TARIH,1,10),' ') FROM "
                     "(SELECT * FROM SILINENLER ORDER BY IDSILINENLER)")
        .toString();
}

QList<qint64> eraseOnRequest(Register &r, const QList<qint64> &stays)
{
    return StayErasure::erase(r.db(), stays, QChar(StayErasure::kOnRequest));
}

} // namespace

class TestStayErasure : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    // The stay stays: only the identity columns change, each to its documented empty value.
    void erasesIdentityColumnsAndKeepsTheStay()
    {
        Register r;
        const qint64 stay = r.addStay(Identity::make("ZEYNEP", 10000000146), day(-30), day(-25));
        const QVariantMap before = rowOf(r, stay);
        QCOMPARE(eraseOnRequest(r, {stay}), QList<qint64>{stay});
        const QVariantMap after = rowOf(r, stay);

        const QVariantMap expectedErased{
            {"KIMLIKSERINO", "SİLİNDİ"}, {"TCNO", QVariant()},           {"ADI", "SİLİNDİ"},
            {"SOYADI", "SİLİNDİ"},       {"BABAADI", QVariant()},        {"ANAADI", QVariant()},
            {"DOGUMYERI", "SİLİNDİ"},    {"DOGUMTARIHI", "1800-01-01"},  {"NUFUSKAYITIL", QVariant()},
            {"NUFUSKAYITILCE", QVariant()}, {"NUFUSKAYITMAH", QVariant()}, {"NUFUSCILT", QVariant()},
            {"NUFUSAILESIRANO", QVariant()}, {"NUFUSSIRANO", QVariant()}, {"IKAMETADRESI", "SİLİNDİ"},
            {"MESLEGI", QVariant()},     {"ARACPLAKANO", QVariant()},    {"NOTLAR", QVariant()}};
        for (const QString &column : kAllColumns) {
            if (expectedErased.contains(column)) {
                QVERIFY2(after[column].isNull() == expectedErased[column].isNull()
                             && after[column].toString() == expectedErased[column].toString(),
                         qPrintable(column + ": " + after[column].toString()));
            } else {
                QVERIFY2(after[column] == before[column], qPrintable(column + " changed"));
            }
        }
        QCOMPARE(erasureRecords(r.db()), QString("%1:K:%2").arg(stay).arg(day(0)));
    }

    // Only a stay whose departure day lies before today can be erased: a guest still present
    // must go on being notified. An erased stay is not erased or recorded a second time.
    void erasesOnlyEndedStays_data()
    {
        QTest::addColumn<QVariant>("departure");
        QTest::addColumn<bool>("erasedBefore");
        QTest::addColumn<bool>("erased");
        QTest::newRow("left yesterday") << QVariant(day(-1)) << false << true;
        QTest::newRow("leaves today") << QVariant(day(0)) << false << false;
        QTest::newRow("leaves tomorrow") << QVariant(day(1)) << false << false;
        QTest::newRow("no departure") << QVariant() << false << false;
        QTest::newRow("erased already") << QVariant(day(-1)) << true << false;
    }
    void erasesOnlyEndedStays()
    {
        QFETCH(QVariant, departure);
        QFETCH(bool, erasedBefore);
        QFETCH(bool, erased);
        Register r;
        const qint64 stay = r.addStay(Identity::make("ALI", 10000000078), day(-3), departure);
        if (erasedBefore)
            eraseOnRequest(r, {stay});
        const int recordsBefore = r.db().scalar("SELECT count(*) FROM SILINENLER").toInt();
        QCOMPARE(eraseOnRequest(r, {stay}).size(), erased ? 1 : 0);
        QCOMPARE(r.db().scalar("SELECT count(*) FROM SILINENLER").toInt(), recordsBefore + (erased ? 1 : 0));
        if (!erasedBefore)
            QCOMPARE(r.stored(stay, "ADI").toString(), erased ? QString("SİLİNDİ") : QString("ADIALI"));
    }

    // A failure part way leaves every stay as it was.
    void failureErasesNothing()
    {
        Register r;
        const QVariant secureDelete = r.db().scalar("PRAGMA secure_delete");
        const qint64 first = r.addStay(Identity::make("ONE", 10000000001), day(-9), day(-8));
        const qint64 second = r.addStay(Identity::make("TWO", 10000000002), day(-9), day(-8));
        r.db().execute("CREATE TRIGGER refuse BEFORE UPDATE ON MISAFIR WHEN old.IDMISAFIR=" + QString::number(second)
                       + " BEGIN SELECT RAISE(ABORT,'kayıt kilitli'); END");
        QVERIFY_THROWS_EXCEPTION(std::exception, eraseOnRequest(r, {first, second}));
        QCOMPARE(r.stored(first, "ADI").toString(), QString("ADIONE"));
        QCOMPARE(r.db().scalar("SELECT count(*) FROM SILINENLER").toInt(), 0);
        QVERIFY(!r.db().inTransaction());
        QCOMPARE(r.db().scalar("PRAGMA journal_mode").toString(), QString("delete"));
        QCOMPARE(r.db().scalar("PRAGMA secure_delete"), secureDelete);
    }

    // The erased values are in no byte of the register or of its journal: right after the
    // erasure, while the program still holds the file, and after the next start. Another guest's
    // values are still there, which shows that the search would find them.
    void erasedValuesLeaveTheFile_data()
    {
        QTest::addColumn<bool>("listStillReading");
        QTest::addColumn<bool>("restart");
        QTest::newRow("right after") << false << false;
        QTest::newRow("while a list is still reading") << true << false;
        QTest::newRow("after the next start") << false << true;
    }
    void erasedValuesLeaveTheFile()
    {
        QFETCH(bool, listStillReading);
        QFETCH(bool, restart);
        Register r;
        const Identity erased = Identity::make("ZEYNEPKARA", 10000000146);
        const Identity kept = Identity::make("MEHMETAK", 10000000078);
        const qint64 stay = r.addStay(erased, day(-40), day(-35));
        r.addStay(kept, day(-40), day(-35));
        // Earlier changes of the row leave its old pages in the journal that the lock keeps.
        r.db().execute("UPDATE MISAFIR SET AYRILISSAAT='12:00:00.000' WHERE IDMISAFIR=:id", {{"id", stay}});
        for (int i = 0; i < 60; ++i)
            r.addStay(Identity::make(QString("FILL%1").arg(i), 20000000000 + i), day(-5), day(-4));
        QVERIFY(!valuesFoundIn(registerBytes(r.dir.path()), erased).isEmpty());

        Query list(&r.db());
        list.setSql("SELECT * FROM MISAFIR");
        if (listStillReading) {
            list.open();
            QVERIFY(!list.isFullyLoaded());
        }
        QCOMPARE(eraseOnRequest(r, {stay}).size(), 1);
        list.close();
        if (restart)
            r.restart();

        const QByteArray bytes = registerBytes(r.dir.path());
        QCOMPARE(valuesFoundIn(bytes, erased), QStringList());
        // The TC number is stored as an integer, not as its digits.
        QStringList keptValues = kept.erasableTexts();
        keptValues.removeOne(QString::number(kept.tcNo));
        keptValues << "TC number as an integer";
        QCOMPARE(valuesFoundIn(bytes, kept), keptValues);
    }

    // A copy taken before an erasure gets the erasures of the current register before it is
    // used: the same stays erased and recorded there too, none of their values in its bytes.
    void recordedErasuresReachARestoredCopy_data()
    {
        QTest::addColumn<bool>("copyWithoutTable");
        QTest::addColumn<bool>("byPath");
        QTest::newRow("copy of the open register") << false << false;
        QTest::newRow("copy older than the table of erasures") << true << false;
        QTest::newRow("register closed, given by its file") << false << true;
    }
    void recordedErasuresReachARestoredCopy()
    {
        QFETCH(bool, copyWithoutTable);
        QFETCH(bool, byPath);
        Register r;
        const Identity erased = Identity::make("AYSEDEMIR", 10000000146);
        const Identity kept = Identity::make("OSMANCAN", 10000000078);
        const qint64 stay = r.addStay(erased, day(-40), day(-35));
        const qint64 keptStay = r.addStay(kept, day(-40), day(-35));
        const QString copyPath = r.dir.filePath("yedek-kopya.db");
        QVERIFY(QFile::copy(r.dir.filePath("qrt.db"), copyPath));
        if (copyWithoutTable) {
            Database copy;
            copy.open(copyPath);
            copy.execute("DROP TABLE SILINENLER");
        }
        // Erased after the copy was taken, and a stay the copy never had.
        const qint64 later = r.addStay(Identity::make("SONRA", 10000000001), day(-40), day(-35));
        QCOMPARE(eraseOnRequest(r, {stay, later}).size(), 2);

        int applied = 0;
        if (byPath) {
            r.module.reset();
            applied = RecordedErasures::applyRecordedErasures(r.dir.filePath("qrt.db"), copyPath);
        } else {
            applied = RecordedErasures::applyRecordedErasures(r.db(), copyPath);
        }
        QCOMPARE(applied, 1);
        QCOMPARE(valuesFoundIn(fileBytes(copyPath) + fileBytes(copyPath + "-journal"), erased), QStringList());

        Database copy;
        copy.open(copyPath);
        QCOMPARE(copy.scalar("SELECT ADI||'/'||DOGUMTARIHI||'/'||COALESCE(TCNO,'-') FROM MISAFIR WHERE IDMISAFIR=:id",
                             {{"id", stay}}).toString(), QString("SİLİNDİ/1800-01-01/-"));
        QCOMPARE(copy.scalar("SELECT ADI FROM MISAFIR WHERE IDMISAFIR=:id", {{"id", keptStay}}).toString(),
                 QString("ADIOSMANCAN"));
        QCOMPARE(erasureRecords(copy), QString("%1:K:%2").arg(stay).arg(day(0)));
        // Applying again finds nothing left to do and records nothing twice.
        copy.close();
        if (byPath)
            QCOMPARE(RecordedErasures::applyRecordedErasures(r.dir.filePath("qrt.db"), copyPath), 0);
        else
            QCOMPARE(RecordedErasures::applyRecordedErasures(r.db(), copyPath), 0);
        copy.open(copyPath);
        QCOMPARE(copy.scalar("SELECT count(*) FROM SILINENLER").toInt(), 1);
    }

    void missingCopyIsAnError()
    {
        Register r;
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 RecordedErasures::applyRecordedErasures(r.db(), r.dir.filePath("yok.db")));
        QVERIFY(!QFile::exists(r.dir.filePath("yok.db")));
    }
};

QTEST_MAIN(TestStayErasure)
#include "tst_stayerasure.moc"
