#include "DbFixture.h"
#include "db/Query.h"
#include "db/QueryTableModel.h"
#include "db/SelectClauses.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const char *kListSql =
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV"
    " LEFT JOIN TESISLER ON TESISLER.IDTESISLER=ODAEV._IDTESISLER"
    " WHERE (&filter) GROUP BY IDMISAFIR HAVING (1)"
    " ORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC";

// Names that differ only in case, in dotted and dotless i, in Turkish letters, and many that are
// equal, so that ties and the language's order both matter.
const QStringList kNames = {"ışık", "IŞIK", "Işık", "ılgın", "İlknur", "ilker", "Ilgaz", "Çağla", "çınar",
                            "Cem",  "cem",  "Özge", "ozan",  "Şule",   "şükrü", "Ümit",  "Uğur",  "uğur",
                            "Zeki", "Ağaç", "ağaç", "Ahmet", "ahmet ", "O'Brien", "Çelik", "celal"};

// A register of many stays: rooms of two facilities, nullable columns left empty now and then.
void fillStays(DbFixture &f, int stays)
{
    QRandomGenerator random(7);
    f.db.executeScript("INSERT INTO TESISLER(TESISKODU,TESISADI) VALUES (5,'ılıca Otel'),(6,'Işık Pansiyon');"
                       "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES (3,'12'),(4,'2'),(4,NULL),(3,'b1');");
    f.db.beginTransaction();
    for (int i = 0; i < stays; ++i) {
        const auto maybe = [&](const QVariant &value) { return random.bounded(6) == 0 ? QVariant() : value; };
        f.db.execute("INSERT INTO MISAFIR(_IDODAEV,ADI,TCNO,CINSIYET,DOGUMTARIHI,GELISSAAT,NUFUSCILT)"
                     " VALUES (:oda,:adi,:tc,:cins,:dogum,:saat,:cilt)",
                     {{"oda", 1 + random.bounded(7)},
                      {"adi", kNames.at(random.bounded(int(kNames.size())))},
                      {"tc", maybe(10000000000LL + random.bounded(50))},
                      {"cins", maybe(random.bounded(2) ? "E" : "K")},
                      {"dogum", maybe(QDate(1950, 1, 1).addDays(random.bounded(300)).toString(Qt::ISODate))},
                      {"saat", maybe(QStringLiteral("%1:00:00.000").arg(random.bounded(24), 2, 10, QLatin1Char('0')))},
                      {"cilt", maybe(random.bounded(5))}});
    }
    f.db.commit();
}

// Every row of the query, each value read through the cursor's row access.
QList<QVariantList> rowsOf(Query &q, bool backwards = false)
{
    q.fetchAll();
    QList<QVariantList> rows;
    for (int i = 0; i < q.loadedCount(); ++i) {
        const int row = backwards ? q.loadedCount() - 1 - i : i;
        QVariantList values;
        for (int column = 0; column < q.fieldCount(); ++column)
            values << q.rawValue(row, column);
        rows << values;
    }
    if (backwards)
        std::reverse(rows.begin(), rows.end());
    return rows;
}

} // namespace

class TestQueryWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void clausesAreFoundAtTheTopLevel_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("simple");
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("order");
        QTest::newRow("guest list") << kListSql << true << "*"
                                    << QString(kListSql).section(" ORDER BY", 0, 0).section("SELECT * ", 1)
                                    << "(CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC";
        QTest::newRow("no ordering") << "select * from A where x=1" << true << "*" << "from A where x=1" << "";
        QTest::newRow("words inside quotes, names and subqueries")
            << "SELECT * FROM A WHERE B='ORDER BY x' AND \"FROM\"=(SELECT 1 FROM C ORDER BY 1) ORDER BY D"
            << true << "*" << "FROM A WHERE B='ORDER BY x' AND \"FROM\"=(SELECT 1 FROM C ORDER BY 1)" << "D";
        QTest::newRow("comments") << "SELECT * -- FROM X\nFROM A /* ORDER BY z */ ORDER BY B" << true
                                  << "* -- FROM X" << "FROM A /* ORDER BY z */" << "B";
        QTest::newRow("limit") << "SELECT * FROM A ORDER BY B LIMIT 5" << false << "" << "" << "";
        QTest::newRow("compound") << "SELECT * FROM A UNION SELECT * FROM B" << false << "" << "" << "";
        QTest::newRow("common table") << "WITH x AS (SELECT 1) SELECT * FROM x" << false << "" << "" << "";
        QTest::newRow("no FROM") << "SELECT 1" << false << "" << "" << "";
    }
    void clausesAreFoundAtTheTopLevel()
    {
        QFETCH(QString, sql);
        QFETCH(bool, simple);
        const SelectClauses clauses = SelectClauses::parse(sql);
        QCOMPARE(clauses.isSimple(), simple);
        if (!simple)
            return;
        QTEST(clauses.selectList(), "select");
        QTEST(clauses.body(), "body");
        QTEST(clauses.orderTerms(), "order");
    }

    // The rows read by key, ordered in the engine, are the rows and the order that reading every
    // row and sorting them in memory gives, whatever the ordering and the filter.
    void windowedRowsEqualRowsHeldInMemory_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("filter");
        const QStringList orders = {"", "ADI:A", "ADI:D", "ADI:A,DOGUMTARIHI:D", "CINSIYET:A,ADI:D", "TESISADI:A",
                                    "ODAEVNO:D", "NUFUSCILT:A", "TCNO:D,GELISSAAT:A", "DOGUMTARIHI:A"};
        for (const QString &order : orders) {
            for (const char *filter : {"1", "ADI LIKE '%ı%' OR NUFUSCILT>2"})
                QTest::newRow(qPrintable(order + " | " + filter)) << order << QString(filter);
        }
    }
    void windowedRowsEqualRowsHeldInMemory()
    {
        QFETCH(QString, order);
        QFETCH(QString, filter);
        DbFixture f;
        fillStays(f, 5000);
        Query held(&f.db);
        Query windowed(&f.db);
        for (Query *q : {&held, &windowed}) {
            q->setSql(kListSql);
            q->setMacro("filter", filter);
            q->setSortOrder(order);
        }
        windowed.setRowWindow(true);
        held.open();
        windowed.open();
        QVERIFY(windowed.isWindowed());
        QVERIFY(!held.isWindowed());

        const QList<QVariantList> expected = rowsOf(held);
        QVERIFY(expected.size() > 1000);
        QCOMPARE(rowsOf(windowed), expected);
        QCOMPARE(rowsOf(windowed, true), expected); // read again after the first pages were let go
        QVERIFY2(windowed.heldRowCount() <= 4000, qPrintable(QString::number(windowed.heldRowCount())));

        QList<QVariantList> streamed;
        windowed.forEachRow([&](const Query::Row &values) { streamed << QVariantList(values.begin(), values.end() - 1); });
        QCOMPARE(streamed, expected);
    }

    // A title-click ordering changed on an open windowed query keeps the record the cursor is on.
    void orderingChangeKeepsTheRecord()
    {
        DbFixture f;
        fillStays(f, 3000);
        Query q(&f.db);
        q.setRowWindow(true);
        q.setSql(kListSql);
        q.setMacro("filter", "1");
        q.open();
        QVERIFY(q.moveTo(2500));
        const QVariant key = q.currentKey();
        QSignalSpy reordered(&q, &Query::rowsReordered);
        q.setSortOrder("ADI:D,DOGUMTARIHI:A");
        QCOMPARE(reordered.count(), 1);
        QCOMPARE(q.currentKey(), key);
        QCOMPARE(q.fieldByName("IDMISAFIR").rawValue(), key);
        q.setSortOrder(QString());
        QCOMPARE(q.row(), 2500);
        QCOMPARE(q.currentKey(), key);
    }

    // Edits, new rows and deletions far down a windowed list write the right record and leave
    // every other record as it was.
    void editsFarDownTheListTouchOnlyTheirRecord()
    {
        DbFixture f;
        fillStays(f, 6000);
        const auto snapshot = [&] {
            Query all(&f.db);
            all.setSql("SELECT * FROM MISAFIR ORDER BY IDMISAFIR");
            all.open();
            return rowsOf(all);
        };
        const QList<QVariantList> before = snapshot();
        Query q(&f.db);
        q.setRowWindow(true);
        q.setSql(kListSql);
        q.setMacro("filter", "1");
        q.setUpdateTable("MISAFIR");
        q.open();
        rowsOf(q); // reads every row, so that the rows near the top are let go again
        QVERIFY(q.moveTo(20));
        const qint64 edited = q.currentKey().toLongLong();
        q.edit();
        q.fieldByName("ADI").setValue("Değişti");
        q.post();
        QCOMPARE(q.fieldByName("ADI").asString(), QString("Değişti"));

        QVERIFY(q.moveTo(5500));
        const qint64 removed = q.currentKey().toLongLong();
        const QVariant nextKey = q.keyAt(5501);
        q.remove();
        QCOMPARE(q.currentKey(), nextKey);
        QCOMPARE(q.fieldByName("IDMISAFIR").rawValue(), nextKey);

        q.moveTo(4000);
        q.insert();
        q.fieldByName("_IDODAEV").setValue(2);
        q.fieldByName("ADI").setValue("Yeni");
        q.post();
        const qint64 added = q.postedKey().toLongLong();
        QCOMPARE(q.row(), 4000);
        QCOMPARE(q.keyAt(4000).toLongLong(), added);
        QCOMPARE(q.rawValue(4001, 0), q.keyAt(4001)); // the rows after it moved down with their keys

        QList<QVariantList> expected;
        for (QVariantList row : before) {
            const qint64 key = row.first().toLongLong();
            if (key == removed)
                continue;
            if (key == edited)
                row[2] = "Değişti";
            expected << row;
        }
        QList<QVariantList> after = snapshot();
        QCOMPARE(after.last().first().toLongLong(), added);
        after.removeLast();
        QCOMPARE(after, expected);
    }

    // A reader who keeps scrolling down a windowed list reaches its end in a few, growing batches
    // of keys, and the last row the grid shows is the list's last row.
    void scrollingDownReadsKeysInGrowingBatches()
    {
        DbFixture f;
        fillStays(f, 6000);
        Query q(&f.db);
        q.setRowWindow(true);
        q.setSql(kListSql);
        q.setMacro("filter", "1");
        QueryTableModel model;
        model.setQuery(&q);
        q.open();
        int fetches = 0;
        while (model.canFetchMore(QModelIndex())) {
            model.fetchMore(QModelIndex());
            ++fetches;
        }
        QCOMPARE(model.rowCount(), 6003);
        QVERIFY2(fetches <= 6, qPrintable(QString::number(fetches)));
        const int key = q.columnOf("IDMISAFIR");
        QCOMPARE(model.data(model.index(model.rowCount() - 1, key)).toString(), QString("1"));
    }

    // Statements that cannot be read back by key keep every row they read.
    void otherStatementsAreHeldInMemory_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("chosen columns") << "SELECT IDMISAFIR, ADI FROM MISAFIR";
        QTest::newRow("limit") << "SELECT * FROM MISAFIR LIMIT 100";
        QTest::newRow("no key among the columns") << "SELECT * FROM (SELECT ADI FROM MISAFIR)";
        QTest::newRow("key name repeated") << "SELECT * FROM MISAFIR, (SELECT 1 AS IDMISAFIR)";
    }
    void otherStatementsAreHeldInMemory()
    {
        QFETCH(QString, sql);
        DbFixture f;
        Query q(&f.db);
        q.setRowWindow(true);
        q.setSql(sql);
        q.open();
        QVERIFY(!q.isWindowed());
        QVERIFY(q.recordCount() > 0);
        QVERIFY(!q.rawValue(0, 0).isNull());
    }
};

QTEST_GUILESS_MAIN(TestQueryWindow)
#include "tst_querywindow.moc"
