#include "DbFixture.h"
#include "db/AppError.h"
#include "db/BooleanWords.h"
#include "db/Query.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const char *kGuestJoin =
    "SELECT MISAFIR.*, ODAEV.ODAEVNO, TESISLER.TESISADI FROM MISAFIR"
    " INNER JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV"
    " INNER JOIN TESISLER ON TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE &filter ORDER BY IDMISAFIR";
}

class TestQuery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void fieldsAreTypedFromDeclaredTypes()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT *, ADI || '!' AS EXPR, 5 AS FIVE FROM MISAFIR ORDER BY IDMISAFIR");
        q.open();
        struct Expect { const char *name; FieldType type; int size; };
        const Expect expected[] = {
            {"IDMISAFIR", FieldType::Id, 0},       {"_IDODAEV", FieldType::Integer, 0},
            {"ADI", FieldType::String, 80},        {"TCNO", FieldType::UInt64, 0},
            {"CINSIYET", FieldType::FixedChar, 1}, {"DOGUMTARIHI", FieldType::Date, 0},
            {"GELISSAAT", FieldType::Time, 0},     {"KAYIT", FieldType::DateTime, 0},
            {"NUFUSCILT", FieldType::Integer, 0},  {"EXPR", FieldType::Unknown, 0},
        };
        for (const Expect &e : expected) {
            const Field &field = q.fieldByName(e.name);
            QCOMPARE(int(field.type()), int(e.type));
            QCOMPARE(field.size(), e.size);
        }
        QCOMPARE(q.fieldByName("adi").name(), QString("ADI")); // names are found in any case
        QCOMPARE(q.fieldByName("TCNO").value().toULongLong(), 10000000146ull);
        QCOMPARE(q.fieldByName("DOGUMTARIHI").asDate(), QDate(1980, 2, 29));
        QCOMPARE(q.fieldByName("GELISSAAT").asTime(), QTime(9, 5));
        QCOMPARE(q.fieldByName("KAYIT").asDateTime(), QDateTime(QDate(2026, 12, 10), QTime(14, 30)));
        QCOMPARE(q.fieldByName("EXPR").asString(), QString("Şule!"));
        QCOMPARE(q.fieldByName("FIVE").asInteger(), 5);
        QCOMPARE(q.fieldByName("ADI").alignment(), Qt::AlignLeft);
        QCOMPARE(q.fieldByName("NUFUSCILT").alignment(), Qt::AlignRight);
        QVERIFY(q.fieldByName("ADI").isRequired());
        QVERIFY(!q.fieldByName("IDMISAFIR").isRequired()); // the engine gives the id
        QVERIFY(q.fieldByName("IDMISAFIR").isKey());
        try {
            q.fieldByName("YOK");
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.originalText(), QString("Field 'YOK' not found"));
        }
        q.next();
        QVERIFY(q.fieldByName("TCNO").isNull());
        QCOMPARE(q.fieldByName("TCNO").asString(), QString());
        QVERIFY(q.fieldByName("GELISSAAT").value().isNull());
    }

    void valuesAreWrittenInTheirStoredForms()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM MISAFIR WHERE IDMISAFIR=2");
        q.open();
        q.edit();
        q.fieldByName("DOGUMTARIHI").setValue(QDate(2001, 3, 4));
        q.fieldByName("GELISSAAT").setValue(QTime(7, 8, 9, 10));
        q.fieldByName("KAYIT").setValue(QDateTime(QDate(2026, 1, 2), QTime(0, 0)));
        q.fieldByName("TCNO").setAsString("98765432100");
        q.fieldByName("NUFUSCILT").setAsString("15");
        q.post();
        QCOMPARE(f.db.scalar("SELECT DOGUMTARIHI||'|'||GELISSAAT||'|'||KAYIT||'|'||TCNO||'|'||typeof(NUFUSCILT)"
                             " FROM MISAFIR WHERE IDMISAFIR=2").toString(),
                 QString("2001-03-04|07:08:09.010|2026-01-02|98765432100|integer"));
    }

    void macrosAreRawTextOutsideLiteralsAndParamsAreBound()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT ADI, '&filter' AS LIT FROM MISAFIR WHERE &filter AND _IDODAEV=:oda ORDER BY ADI");
        q.setMacro("FILTER", "ADI LIKE '%a%'");
        q.setParam("oda", 1);
        QCOMPARE(q.expandedSql(),
                 QString("SELECT ADI, '&filter' AS LIT FROM MISAFIR WHERE ADI LIKE '%a%' AND _IDODAEV=:oda ORDER BY ADI"));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.fieldByName("ADI").asString(), QString("Ahmet"));
        QCOMPARE(q.fieldByName("LIT").asString(), QString("&filter"));
        // A macro's text is not scanned again, so an "&name" inside a value stays as typed.
        q.close();
        q.setMacro("filter", "ADI <> '&filter'");
        q.open();
        QCOMPARE(q.recordCount(), 2);
    }

    void cursorWalksRowsAndReadsLazily()
    {
        DbFixture f;
        f.db.executeScript("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<5000)"
                           " INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) SELECT 2, i FROM n;");
        Query q(&f.db);
        q.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        q.open();
        QVERIFY(!q.isEmpty());
        QCOMPARE(q.loadedCount(), 1); // opening reads only what the first row needs
        QCOMPARE(q.recNo(), 1);
        QVERIFY(q.isBof());
        int seen = 0;
        for (q.first(); !q.isEof(); q.next())
            ++seen;
        QCOMPARE(seen, 5003);
        QVERIFY(q.isFullyLoaded());
        q.prior();
        QCOMPARE(q.recNo(), 5002);

        Query empty(&f.db);
        empty.setSql("SELECT * FROM ODAEV WHERE 0");
        empty.open();
        QVERIFY(empty.isEmpty());
        QVERIFY(empty.isEof() && empty.isBof());
        QCOMPARE(empty.fieldByName("ODAEVNO").asString(), QString());
    }

    void editingAJoinWritesOnlyTheBaseTable()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql(kGuestJoin);
        q.setMacro("filter", "1");
        q.open();
        QCOMPARE(q.updateTable(), QString("MISAFIR"));
        q.edit();
        q.fieldByName("ADI").setValue("Şükrü");
        q.fieldByName("TESISADI").setValue("değişmemeli"); // a joined column is not written back
        q.post();
        QCOMPARE(f.db.scalar("SELECT ADI FROM MISAFIR WHERE IDMISAFIR=1").toString(), QString("Şükrü"));
        QCOMPARE(f.db.scalar("SELECT TESISADI FROM TESISLER WHERE IDTESISLER=1").toString(), QString("Otel Güneş"));
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(q.fieldByName("ADI").asString(), QString("Şükrü"));

        q.last();
        q.append();
        q.fieldByName("_IDODAEV").setValue(3);
        q.fieldByName("ADI").setValue("Yeni");
        q.post();
        const qint64 id = q.fieldByName("IDMISAFIR").asLargeInt();
        QCOMPARE(id, 4); // the id comes from the engine
        QCOMPARE(f.db.scalar("SELECT ADI FROM MISAFIR WHERE IDMISAFIR=4").toString(), QString("Yeni"));

        q.remove();
        QCOMPARE(f.count("SELECT COUNT(*) FROM MISAFIR"), 3);
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV"), 3);
    }

    void newRowTakesColumnDefaultsFromTheEngine()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER ORDER BY IDTESISLER");
        q.open();
        q.insert();
        QVERIFY(q.fieldByName("TESISAKTIF").isNull());
        q.fieldByName("TESISKODU").setValue(7);
        q.fieldByName("TESISADI").setValue("Ev");
        q.post();
        QCOMPARE(q.fieldByName("TESISAKTIF").asBoolean(), true);
        QCOMPARE(q.fieldByName("IDTESISLER").asLargeInt(), 3);
        QCOMPARE(q.recNo(), 1); // a row inserted before the current one stays where it was put
    }

    void cancelDiscardsAndRequiredFieldsAreChecked()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        q.open();
        q.fieldByName("_IDTESISLER").setDisplayLabel("TESIS");
        q.insert();
        QCOMPARE(q.loadedCount(), 2); // the new row is in the list while it is typed
        q.fieldByName("ODAEVNO").setValue("9");
        try {
            q.post();
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("TESIS alanına bir değer girilmeli (Field 'TESIS' must have a value)"));
        }
        QCOMPARE(q.state(), Query::State::Insert); // the row is kept for the user to complete
        q.cancel();
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV"), 3);
        QCOMPARE(q.recordCount(), 3);

        q.edit();
        q.fieldByName("ODAEVNO").setValue("999");
        q.cancel();
        QCOMPARE(q.fieldByName("ODAEVNO").asString(), QString("101"));
        QCOMPARE(f.db.scalar("SELECT ODAEVNO FROM ODAEV WHERE IDODAEV=1").toString(), QString("101"));
    }

    void eventsRunInOrderAndASilentAbortRefuses()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        QStringList events;
        bool refuse = true;
        q.onNewRecord = [&](Query &query) {
            events << "new";
            query.fieldByName("_IDTESISLER").setValue(2);
        };
        q.onBeforePost = [&](Query &) {
            events << "beforePost";
            if (refuse)
                throw SilentAbort();
        };
        q.onAfterPost = [&](Query &) { events << "afterPost"; };
        q.onBeforeDelete = [&](Query &) {
            events << "beforeDelete";
            if (refuse)
                throw SilentAbort();
        };
        q.open();
        q.insert();
        QVERIFY_THROWS_EXCEPTION(SilentAbort, q.post());
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV"), 3);
        QCOMPARE(q.state(), Query::State::Insert);
        refuse = false;
        q.post();
        QCOMPARE(events, QStringList({"new", "beforePost", "beforePost", "afterPost"}));
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV WHERE _IDTESISLER=2"), 2);

        refuse = true;
        QVERIFY_THROWS_EXCEPTION(SilentAbort, q.remove());
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV"), 4);
    }

    void readOnlyQueryRefusesChanges()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER");
        q.setReadOnly(true);
        q.open();
        QVERIFY_THROWS_EXCEPTION(AppError, q.edit());
        QVERIFY_THROWS_EXCEPTION(AppError, q.insert());
        QVERIFY_THROWS_EXCEPTION(AppError, q.remove());
        QVERIFY_THROWS_EXCEPTION(AppError, q.fieldByName("TESISADI").setValue("x"));
    }

    void closingWhileEditingDiscardsTheChange()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER");
        q.open();
        q.edit();
        q.fieldByName("TESISADI").setValue("kaybolur");
        q.close();
        QCOMPARE(f.db.scalar("SELECT TESISADI FROM TESISLER WHERE IDTESISLER=1").toString(), QString("Otel Güneş"));
    }

    void sortOrderUsesTurkishCollationAndSurvivesReopen()
    {
        DbFixture f;
        f.db.executeScript("INSERT INTO TESISLER(TESISKODU,TESISADI) VALUES (5,'Zeytin'),(6,'çam'),(7,'Cadı'),(8,'Ilgaz'),(9,'İnci');");
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER");
        q.open();
        q.moveTo(2); // Zeytin
        q.setSortOrder("TESISADI:A");
        QStringList names;
        for (q.first(); !q.isEof(); q.next())
            names << q.fieldByName("TESISADI").asString();
        QCOMPARE(names, QStringList({"Cadı", "çam", "Ilgaz", "İnci", "Otel Güneş", "Pansiyon Çınar", "Zeytin"}));
        q.moveTo(6);
        QCOMPARE(q.fieldByName("TESISADI").asString(), QString("Zeytin"));

        q.setSortOrder("TESISAKTIF:A,TESISKODU:D");
        q.close();
        q.open();
        QCOMPARE(q.fieldByName("TESISADI").asString(), QString("Zeytin")); // the same record, now last
        QCOMPARE(q.row(), 6);
        q.first();
        QCOMPARE(q.fieldByName("TESISKODU").asInteger(), 1234);

        q.setSortOrder(QString()); // back to the order the query gave
        QStringList codes;
        for (q.first(); !q.isEof(); q.next())
            codes << q.fieldByName("TESISKODU").asString();
        QCOMPARE(codes.join(','), QString("1234,99,5,6,7,8,9"));
    }

    void sortOrderPutsNullFirstAndComparesNumbersByValue()
    {
        DbFixture f;
        f.db.executeScript("ALTER TABLE TESISLER ADD TESISYETKILISI VARCHAR(80);"
                           "INSERT INTO TESISLER(TESISKODU,TESISADI,TESISYETKILISI) VALUES (10,'A','Zehra'),(5,'B',NULL),(200,'C','ahmet');");
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER");
        q.open();
        const auto column = [&q](const char *name) {
            QStringList values;
            for (q.first(); !q.isEof(); q.next())
                values << (q.fieldByName(name).isNull() ? QString("-") : q.fieldByName(name).asString());
            return values.join(',');
        };
        q.setSortOrder("TESISKODU:A");
        QCOMPARE(column("TESISKODU"), QString("5,10,99,200,1234"));
        q.setSortOrder("TESISYETKILISI:A,TESISKODU:A");
        QCOMPARE(column("TESISYETKILISI").section(',', -2), QString("ahmet,Zehra"));
        QVERIFY(column("TESISYETKILISI").startsWith("-,"));
        q.setSortOrder("TESISYETKILISI:D");
        QVERIFY(column("TESISYETKILISI").startsWith("Zehra,ahmet,"));
    }

    void detailFollowsTheMastersCurrentRow()
    {
        DbFixture f;
        Query master(&f.db);
        master.setSql("SELECT * FROM TESISLER ORDER BY IDTESISLER");
        Query rooms(&f.db);
        rooms.setSql("SELECT * FROM ODAEV WHERE _IDTESISLER=:IDTESISLER ORDER BY ODAEVNO");
        rooms.setMaster(&master, {"IDTESISLER"});
        master.open();
        rooms.open();
        QCOMPARE(rooms.recordCount(), 2);
        master.next();
        QCOMPARE(rooms.recordCount(), 1);
        QCOMPARE(rooms.fieldByName("ODAEVNO").asString(), QString("1"));
        master.insert(); // a facility not yet saved has no rooms
        QCOMPARE(rooms.recordCount(), 0);
        master.cancel();
        master.close();
        QVERIFY(!rooms.isOpen());
        master.open();
        QVERIFY(rooms.isOpen()); // it comes back with its master, on the master's record
        QCOMPARE(master.fieldByName("IDTESISLER").asInteger(), 2);
        QCOMPARE(rooms.recordCount(), 1);
        master.first();
        QCOMPARE(rooms.recordCount(), 2);
    }

    // After a save, a re-run or a re-open the cursor stands on the record it stood on, found by
    // its key; a record that is no longer in the result leaves the cursor on the row now at its
    // place (the last one when it was last). A new SQL text starts at the first row.
    void cursorFindsItsRecordAgain_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("windowed");
        for (const bool windowed : {false, true}) {
            const auto name = [&](const char *what) {
                return QByteArray(what) + (windowed ? " (rows read by key)" : "");
            };
            QTest::newRow(name("edit that reorders, saved and re-run")) << "Ahmet" << "rename:Şükrü" << "Şükrü" << 4 << windowed;
            QTest::newRow(name("new row from a later row, saved and re-run")) << "İsmail" << "insert:Bora" << "Bora" << 1 << windowed;
            QTest::newRow(name("re-opened under a filter that keeps it")) << "Deniz" << "filter:ADI<>'Ahmet'" << "Deniz" << 1 << windowed;
            QTest::newRow(name("filtered out: the row at its place")) << "Cemil" << "filter:ADI<>'Cemil'" << "Deniz" << 1 << windowed;
            QTest::newRow(name("filtered out when last: the last row")) << "Şule" << "filter:ADI<>'Şule'" << "İsmail" << 3 << windowed;
            QTest::newRow(name("everything filtered out")) << "Cemil" << "filter:0" << "" << -1 << windowed;
            QTest::newRow(name("a new SQL text")) << "Deniz" << "sql:" << "Ahmet" << 0 << windowed;
        }
    }
    void cursorFindsItsRecordAgain()
    {
        QFETCH(QString, start);
        QFETCH(QString, change);
        QFETCH(QString, expected);
        QFETCH(int, row);
        QFETCH(bool, windowed);
        DbFixture f;
        f.db.executeScript("INSERT INTO MISAFIR(_IDODAEV,ADI) VALUES (1,'Cemil'),(1,'Deniz');");
        const QString sql = "SELECT * FROM MISAFIR WHERE &filter ORDER BY ADI";
        Query q(&f.db);
        q.setRowWindow(windowed);
        q.setSql(sql);
        q.setMacro("filter", "1");
        q.onAfterPost = [](Query &query) { query.refresh(); };
        q.open();
        while (q.fieldByName("ADI").asString() != start && !q.isEof())
            q.next();
        QCOMPARE(q.fieldByName("ADI").asString(), start);

        const QString what = change.section(':', 0, 0);
        const QString value = change.section(':', 1);
        if (what == "rename") {
            q.edit();
            q.fieldByName("ADI").setValue(value);
            q.post();
        } else if (what == "insert") {
            q.insert();
            q.fieldByName("ADI").setValue(value);
            q.fieldByName("_IDODAEV").setValue(1);
            q.post();
        } else if (what == "filter") {
            q.close();
            q.setMacro("filter", value);
            q.open();
        } else {
            q.setSql(sql);
            q.open();
        }
        QCOMPARE(q.row(), row);
        QCOMPARE(q.isEmpty() ? QString() : q.fieldByName("ADI").asString(), expected);
        QCOMPARE(q.isBof(), row <= 0);
        QCOMPARE(q.isWindowed(), windowed);
    }

    void postedKeyNamesTheRecordWritten()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT MISAFIR.*, ODAEV.ODAEVNO FROM MISAFIR JOIN ODAEV ON IDODAEV=_IDODAEV ORDER BY IDMISAFIR");
        q.open();
        q.next();
        QCOMPARE(q.currentKey().toLongLong(), 2);
        q.insert();
        QVERIFY(q.currentKey().isNull());
        q.fieldByName("ADI").setValue("Bora");
        q.fieldByName("_IDODAEV").setValue(2);
        q.post();
        QCOMPARE(q.postedKey().toLongLong(), 4);
        QCOMPARE(q.currentKey().toLongLong(), 4);
        Query noKey(&f.db);
        noKey.setSql("SELECT ADI FROM MISAFIR");
        noKey.open();
        QVERIFY(noKey.currentKey().isNull());
    }

    void booleanWords()
    {
        BooleanWords::setWords({"E", "Y", "Yes", "Evet", "1", "True"}, {"H", "N", "No", "Hayır", "0", "False"});
        QVERIFY(BooleanWords::toBool("evet"));
        QVERIFY(BooleanWords::toBool("2"));
        QVERIFY(!BooleanWords::toBool("HAYIR"));
        QVERIFY(!BooleanWords::toBool("0"));
        try {
            BooleanWords::toBool("x");
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.originalText(), QString("'x' is not a valid boolean value"));
        }
        QCOMPARE(BooleanWords::toText(true), QString("E"));
        QCOMPARE(BooleanWords::toText(false), QString("H"));
    }

    void displayFormatShowsHoursAndMinutes()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM MISAFIR ORDER BY IDMISAFIR");
        q.open();
        q.fieldByName("GELISSAAT").setDisplayFormat("hh:nn");
        q.fieldByName("NUFUSCILT").setDisplayFormat("#,##0.00");
        QCOMPARE(q.fieldByName("GELISSAAT").displayText(), QString("09:05"));
        QCOMPARE(q.fieldByName("NUFUSCILT").displayText(), QString("15,00"));
        QCOMPARE(q.fieldByName("DOGUMTARIHI").displayText(), QString("29.02.1980"));
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
