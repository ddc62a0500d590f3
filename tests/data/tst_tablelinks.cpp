// The table links count the dependents of a facility or a room, tell whether there are any, and
// delete the dependents that go with a record, on a real database file. Every statement the
// engine runs is recorded, so the tests see which tables were read or changed and in what order.
#include "TestSupport.h"
#include "data/CreationScript.h"
#include "data/TableLinks.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/Query.h"

#include <QtTest>

#include <sqlite3.h>

#include <memory>

namespace {

// Records the text of every statement the engine starts, with its parameters filled in.
class StatementLog {
public:
    explicit StatementLog(sqlite3 *db) : m_db(db)
    {
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &StatementLog::record, this);
    }
    ~StatementLog() { sqlite3_trace_v2(m_db, 0, nullptr, nullptr); }
    StatementLog(const StatementLog &) = delete;
    StatementLog &operator=(const StatementLog &) = delete;

    const QStringList &statements() const { return m_statements; }
    QStringList touching(const QString &table) const
    {
        QStringList found;
        for (const QString &sql : m_statements) {
            if (sql.contains(QLatin1Char(' ') + table + QLatin1Char(' ')))
                found << sql;
        }
        return found;
    }

private:
    static int record(unsigned, void *context, void *statement, void *)
    {
        auto *log = static_cast<StatementLog *>(context);
        char *expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(statement));
        log->m_statements << QString::fromUtf8(expanded);
        sqlite3_free(expanded);
        return 0;
    }

    sqlite3 *m_db;
    QStringList m_statements;
};

// A fresh qrt.db built by the creation script, with helpers to add facilities, rooms and stays
// and to point a query at one record.
struct Register {
    testsupport::ScopedWorkDir dir;
    Database db;
    TableLinks links{db};

    Register()
    {
        db.open(QStringLiteral("qrt.db"));
        db.executeScript(creationScriptText(), true);
        links.fillDefaultLinks();
    }

    qint64 insert(const QString &sql, const QVariantMap &params = {})
    {
        db.execute(sql, params);
        return db.lastInsertRowId();
    }
    qint64 addFacility(const QString &name = QStringLiteral("Otel Güneş"))
    {
        return insert(QStringLiteral("INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P',:ad)"),
                      {{QStringLiteral("ad"), name}});
    }
    qint64 addRoom(qint64 facility, const QString &number = QStringLiteral("101"))
    {
        return insert(QStringLiteral("INSERT INTO ODAEV (_IDTESISLER,ODAEVNO) VALUES (:tesis,:no)"),
                      {{QStringLiteral("tesis"), facility}, {QStringLiteral("no"), number}});
    }
    void addStays(qint64 room, int count)
    {
        for (int i = 0; i < count; ++i)
            insert(QStringLiteral("INSERT INTO MISAFIR (_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,"
                                  "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH) VALUES "
                                  "(:oda,'N','A1','TC','Ayşe','Yılmaz','K','B','İzmir','1990-01-01','Konak',"
                                  "'2026-03-01')"),
                   {{QStringLiteral("oda"), room}});
    }

    // A query standing on one record, the master record the routines receive.
    std::unique_ptr<Query> record(const QString &sql)
    {
        auto query = std::make_unique<Query>(&db);
        query->setSql(sql);
        query->open();
        return query;
    }
    std::unique_ptr<Query> facility(qint64 id)
    {
        return record(QStringLiteral("SELECT * FROM TESISLER WHERE IDTESISLER = %1").arg(id));
    }
    std::unique_ptr<Query> room(qint64 id)
    {
        return record(QStringLiteral("SELECT * FROM ODAEV WHERE IDODAEV = %1").arg(id));
    }
    int count(const QString &sql) { return db.scalar(sql).toInt(); }
};

TableLink link(const char *master, const char *masterField, const char *detail, const char *detailField,
               bool kayituyari, bool kayitsil, std::optional<QString> ekwheresql = std::nullopt)
{
    return TableLink{QString::fromLatin1(master), QString::fromLatin1(masterField), QString::fromLatin1(detail),
                     QString::fromLatin1(detailField), kayituyari, kayitsil, std::move(ekwheresql)};
}

} // namespace

class TstTableLinks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void defaultLinksAreTheTwoOfTheRegister();
    void integerColumnMatchesTheTextOfItsNumber();
    void countsDependents_data();
    void countsDependents();
    void depthZeroReadsNothing();
    void linkLimitZeroStillExaminesOneLink();
    void nullKeyHasNoDependents();
    void detayVarmi();
    void spentResultBudgetStaysSpentOnDeeperLevels();
    void badOptionValueIsRefused_data();
    void badOptionValueIsRefused();
    void missingMasterFieldIsRefused();
    void linkDatasetServesTheFirstLevelOnly();
    void extraConditionNarrowsTheDetailRows();
    void deletingEmptyFacilityTouchesRoomsOnly();
    void deletingRoomDependentsKeepsStays();
    void deletingFacilityDependentsRemovesItsRoomsOnly();
    void deletionIsUndoneWithTheCallersTransaction();
    void deletionGoesDeepestFirst();
    void extraConditionWithOrCannotReachOtherMasters();
};

void TstTableLinks::defaultLinksAreTheTwoOfTheRegister()
{
    Register reg;
    reg.links.fdmtbltablelinks() << link("X", "Y", "Z", "W", true, true);
    reg.links.fillDefaultLinks();
    const TableLinkList &list = reg.links.fdmtbltablelinks();
    QCOMPARE(list.size(), 2);
    const auto row = [](const TableLink &l) {
        return QStringList{l.mastertable, l.masterfield, l.detailtable, l.detailfield,
                           QString::number(l.kayituyari), QString::number(l.kayitsil),
                           l.ekwheresql.value_or(QStringLiteral("<NULL>"))};
    };
    QCOMPARE(row(list[0]), (QStringList{"TESISLER", "IDTESISLER", "ODAEV", "_IDTESISLER", "1", "1", "<NULL>"}));
    QCOMPARE(row(list[1]), (QStringList{"ODAEV", "IDODAEV", "MISAFIR", "_IDODAEV", "1", "0", "<NULL>"}));
}

// The master value is bound as text; the INT column of the detail table still matches it.
void TstTableLinks::integerColumnMatchesTheTextOfItsNumber()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    reg.addRoom(facility);
    reg.addRoom(facility);
    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility), "donguderinlik=1"), 2);
    QCOMPARE(log.touching("ODAEV"),
             QStringList{QStringLiteral("SELECT * FROM ODAEV WHERE _IDTESISLER = '%1' AND 1").arg(facility)});
}

void TstTableLinks::countsDependents_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("record"); // 0 the facility, 1 the room with three stays, 2 the empty room
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("expected");

    // A facility with two rooms, the first holding three stays.
    QTest::newRow("facility") << "TESISLER" << 0 << "" << 5;
    QTest::newRow("room with stays") << "ODAEV" << 1 << "" << 3;
    QTest::newRow("empty room") << "ODAEV" << 2 << "" << 0;
    QTest::newRow("depth 1: rooms only") << "TESISLER" << 0 << "donguderinlik=1" << 2;
    QTest::newRow("depth 2") << "TESISLER" << 0 << "donguderinlik=2" << 5;
    QTest::newRow("depth 0") << "TESISLER" << 0 << "donguderinlik=0" << 0;
    QTest::newRow("-1 is no limit") << "TESISLER" << 0 << "donguderinlik=-1,dongulimit=-1,sonuclimiti=-1" << 5;
    QTest::newRow("empty values are no limit") << "TESISLER" << 0 << "donguderinlik=,dongulimit=" << 5;
    QTest::newRow("names without regard to case") << "TESISLER" << 0 << "DonguDerinlik=1" << 2;
    QTest::newRow("blank before a name makes another entry") << "TESISLER" << 0 << "x=1, donguderinlik=1" << 5;
    QTest::newRow("other entries are carried along") << "TESISLER" << 0 << "renk=mavi,donguderinlik=1" << 2;
    QTest::newRow("first entry of a name counts") << "TESISLER" << 0 << "donguderinlik=1,donguderinlik=3" << 2;
    QTest::newRow("result limit above the total") << "TESISLER" << 0 << "sonuclimiti=10" << 5;
    QTest::newRow("result limit 0") << "TESISLER" << 0 << "sonuclimiti=0" << 5;
    QTest::newRow("room, result limit 0") << "ODAEV" << 1 << "sonuclimiti=0" << 3;
}

void TstTableLinks::countsDependents()
{
    QFETCH(QString, table);
    QFETCH(int, record);
    QFETCH(QString, options);
    QFETCH(int, expected);

    Register reg;
    const qint64 facility = reg.addFacility();
    const qint64 busyRoom = reg.addRoom(facility, "101");
    const qint64 emptyRoom = reg.addRoom(facility, "102");
    reg.addStays(busyRoom, 3);
    // Another facility with a room and a stay, which no count of the first may reach.
    reg.addStays(reg.addRoom(reg.addFacility("Pansiyon Çınar")), 1);

    const auto master = record == 0 ? reg.facility(facility) : reg.room(record == 1 ? busyRoom : emptyRoom);
    QCOMPARE(reg.links.TablolinkDetayKontrol(table, *master, options), expected);
}

void TstTableLinks::depthZeroReadsNothing()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    reg.addRoom(facility);
    const auto master = reg.facility(facility);
    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *master, "donguderinlik=0"), 0);
    QCOMPARE(log.statements(), QStringList());
}

// The limit is tested after a link row was examined: 0 and 1 both follow the first link only.
void TstTableLinks::linkLimitZeroStillExaminesOneLink()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    const qint64 room = reg.addRoom(facility);
    reg.addStays(room, 2);
    // Two counting links from the facility: its rooms, and (for the test) rooms that share its id
    // as their own id.
    reg.links.fdmtbltablelinks().insert(1, link("TESISLER", "IDTESISLER", "ODAEV", "IDODAEV", true, false));
    const auto master = reg.facility(facility);

    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *master, ""), 3 + 3);
    for (const char *options : {"dongulimit=0", "dongulimit=1"}) {
        StatementLog log(reg.db.handle());
        QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *master, options), 3);
        QCOMPARE(log.touching("ODAEV").size(), 1);
    }
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *master, "dongulimit=2"), 6);
}

void TstTableLinks::nullKeyHasNoDependents()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    reg.addRoom(facility);
    // A facility record whose key reads as NULL.
    const auto master = reg.record("SELECT NULL AS IDTESISLER, TESISADI FROM TESISLER");
    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *master), 0);
    QVERIFY(!reg.links.TablolinkDetayVarmi("TESISLER", *master));
    QCOMPARE(reg.links.TablolinkDetaySil("TESISLER", *master), 0);
    QCOMPARE(log.touching("ODAEV"), QStringList());
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV"), 1);
}

void TstTableLinks::detayVarmi()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    const qint64 busyRoom = reg.addRoom(facility);
    const qint64 emptyRoom = reg.addRoom(facility);
    reg.addStays(busyRoom, 3);
    const qint64 bareFacility = reg.addFacility("Boş");

    QVERIFY(reg.links.TablolinkDetayVarmi("TESISLER", *reg.facility(facility)));
    QVERIFY(reg.links.TablolinkDetayVarmi("ODAEV", *reg.room(busyRoom)));
    QVERIFY(!reg.links.TablolinkDetayVarmi("ODAEV", *reg.room(emptyRoom)));
    QVERIFY(!reg.links.TablolinkDetayVarmi("TESISLER", *reg.facility(bareFacility)));
    // A table that is nobody's master has no dependents.
    QVERIFY(!reg.links.TablolinkDetayVarmi("MISAFIR", *reg.record("SELECT * FROM MISAFIR")));

    // Only the first link row of a level is followed: one that finds nothing hides the next.
    const TableLinkList firstFindsNothing{
        link("TESISLER", "IDTESISLER", "ODAEV", "_IDTESISLER", true, false, QStringLiteral("0")),
        link("TESISLER", "IDTESISLER", "ODAEV", "_IDTESISLER", true, false)};
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility), "", &firstFindsNothing), 5);
    QVERIFY(!reg.links.TablolinkDetayVarmi("TESISLER", *reg.facility(facility), &firstFindsNothing));
}

// The first room is searched (nothing found before it); the second is counted but not searched,
// because the three stays found already exceed the limit.
// A budget passed down below zero is spent whatever its value: with one room the room's level
// gets 0 - 0 - 1 = -1, which must not read as "no limit" and let the search go deeper.
void TstTableLinks::spentResultBudgetStaysSpentOnDeeperLevels()
{
    Register reg;
    reg.db.execute("CREATE TABLE EK (IDEK INTEGER PRIMARY KEY AUTOINCREMENT, _IDMISAFIR INT NOT NULL)");
    reg.links.fdmtbltablelinks() << link("MISAFIR", "IDMISAFIR", "EK", "_IDMISAFIR", true, false);

    const qint64 twoRooms = reg.addFacility();
    const qint64 first = reg.addRoom(twoRooms, "101");
    reg.addStays(first, 3);
    reg.addStays(reg.addRoom(twoRooms, "102"), 1);
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(twoRooms), ""), 6);
    {
        StatementLog log(reg.db.handle());
        QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(twoRooms), "sonuclimiti=0"), 5);
        QCOMPARE(log.touching("MISAFIR").size(), 1); // only the first room was searched
    }

    const qint64 oneRoom = reg.addFacility("Tek Oda");
    const qint64 room = reg.addRoom(oneRoom);
    reg.addStays(room, 1);
    reg.db.execute("INSERT INTO EK (_IDMISAFIR) SELECT IDMISAFIR FROM MISAFIR WHERE _IDODAEV = :oda",
                   {{"oda", room}});
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(oneRoom), ""), 3);
    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(oneRoom), "sonuclimiti=0"), 2);
    QCOMPARE(log.touching("EK"), QStringList());
}

void TstTableLinks::badOptionValueIsRefused_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("word") << "dongulimit=bir" << "'bir' is not a valid integer value";
    QTest::newRow("decimal point") << "donguderinlik=1.5" << "'1.5' is not a valid integer value";
    QTest::newRow("too large") << "dongulimit=99999999999" << "'99999999999' is not a valid integer value";
    QTest::newRow("case of name") << "SONUCLIMITI=x" << "'x' is not a valid integer value";
}

void TstTableLinks::badOptionValueIsRefused()
{
    QFETCH(QString, options);
    QFETCH(QString, message);
    Register reg;
    const auto master = reg.facility(reg.addFacility());
    try {
        reg.links.TablolinkDetayKontrol("TESISLER", *master, options);
        QFAIL("the option text was accepted");
    } catch (const AppError &error) {
        QCOMPARE(error.originalText(), message);
    }
}

void TstTableLinks::missingMasterFieldIsRefused()
{
    Register reg;
    reg.addRoom(reg.addFacility());
    const auto master = reg.record("SELECT TESISADI FROM TESISLER");
    for (const auto &run : std::initializer_list<std::function<void()>>{
             [&] { reg.links.TablolinkDetayKontrol("TESISLER", *master); },
             [&] { reg.links.TablolinkDetaySil("TESISLER", *master); }}) {
        try {
            run();
            QFAIL("a master record without its key was accepted");
        } catch (const AppError &error) {
            QCOMPARE(error.originalText(), QStringLiteral("Field 'IDTESISLER' not found"));
        }
    }
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV"), 1);
}

// A list of one's own serves the first level; the rooms found are searched with the data
// module's list.
void TstTableLinks::linkDatasetServesTheFirstLevelOnly()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    const qint64 room = reg.addRoom(facility);
    reg.addStays(room, 3);
    const TableLinkList own{link("TESISLER", "IDTESISLER", "ODAEV", "_IDTESISLER", true, false),
                            link("ODAEV", "IDODAEV", "MISAFIR", "_IDODAEV", false, false)};
    const TableLinkList none;

    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility), "", &own), 4);
    QCOMPARE(reg.links.TablolinkDetayKontrol("ODAEV", *reg.room(room), "", &own), 0);
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility), "", &none), 0);
    QVERIFY(!reg.links.TablolinkDetayVarmi("ODAEV", *reg.room(room), &own));
    QVERIFY(reg.links.TablolinkDetayVarmi("ODAEV", *reg.room(room)));

    // Deleting through an own list that marks the stays: the first level follows it.
    const TableLinkList stays{link("ODAEV", "IDODAEV", "MISAFIR", "_IDODAEV", false, true)};
    QCOMPARE(reg.links.TablolinkDetaySil("ODAEV", *reg.room(room), &stays), 3);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM MISAFIR"), 0);
    // ...and does not reach below it: the default list never deletes stays of a room.
    const qint64 other = reg.addRoom(facility, "102");
    reg.addStays(other, 1);
    const TableLinkList rooms{link("TESISLER", "IDTESISLER", "ODAEV", "_IDTESISLER", false, true),
                              link("ODAEV", "IDODAEV", "MISAFIR", "_IDODAEV", false, true)};
    reg.links.TablolinkDetaySil("TESISLER", *reg.facility(facility), &rooms);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV"), 0);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM MISAFIR"), 1);
}

void TstTableLinks::extraConditionNarrowsTheDetailRows()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    reg.addStays(reg.addRoom(facility, "101"), 2);
    reg.addStays(reg.addRoom(facility, "102"), 1);
    reg.links.fdmtbltablelinks()[0].ekwheresql = QStringLiteral("ODAEVNO = '102'");
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility)), 2);
    // An empty condition is no condition.
    reg.links.fdmtbltablelinks()[0].ekwheresql = QString();
    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility)), 5);
}

void TstTableLinks::deletingEmptyFacilityTouchesRoomsOnly()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    reg.addStays(reg.addRoom(reg.addFacility("Başka")), 1);
    const auto master = reg.facility(facility);
    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetaySil("TESISLER", *master), 0);
    const QString key = QStringLiteral("_IDTESISLER = '%1' AND 1").arg(facility);
    QCOMPARE(log.touching("ODAEV"), (QStringList{"SELECT * FROM ODAEV WHERE " + key,
                                                  "DELETE FROM ODAEV WHERE " + key}));
    QCOMPARE(log.touching("MISAFIR"), QStringList());
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV"), 1);
}

void TstTableLinks::deletingRoomDependentsKeepsStays()
{
    Register reg;
    const qint64 room = reg.addRoom(reg.addFacility());
    reg.addStays(room, 2);
    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetaySil("ODAEV", *reg.room(room)), 0);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM MISAFIR"), 2);
    QCOMPARE(log.touching("MISAFIR"), QStringList());
}

void TstTableLinks::deletingFacilityDependentsRemovesItsRoomsOnly()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    const qint64 room = reg.addRoom(facility, "101");
    reg.addRoom(facility, "102");
    reg.addStays(room, 2);
    const qint64 other = reg.addFacility("Başka");
    reg.addRoom(other, "101");

    QCOMPARE(reg.links.TablolinkDetaySil("TESISLER", *reg.facility(facility)), 2);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV WHERE _IDTESISLER = " + QString::number(facility)), 0);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV WHERE _IDTESISLER = " + QString::number(other)), 1);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM MISAFIR"), 2);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM TESISLER"), 2); // the master record itself stays
}

// The routine opens no transaction of its own, so the caller's rollback undoes its deletions.
void TstTableLinks::deletionIsUndoneWithTheCallersTransaction()
{
    Register reg;
    const qint64 facility = reg.addFacility();
    reg.addRoom(facility, "101");
    reg.addRoom(facility, "102");
    const auto master = reg.facility(facility);

    reg.db.beginTransaction();
    QCOMPARE(reg.links.TablolinkDetaySil("TESISLER", *master), 2);
    QVERIFY(reg.db.inTransaction());
    reg.db.execute("DELETE FROM TESISLER WHERE IDTESISLER = :id", {{"id", facility}});
    reg.db.rollback();

    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV"), 2);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM TESISLER"), 1);
}

// With links that delete over two levels, every stay of a room is deleted before the room.
void TstTableLinks::deletionGoesDeepestFirst()
{
    Register reg;
    reg.links.fdmtbltablelinks()[1].kayitsil = true;
    const qint64 facility = reg.addFacility();
    const qint64 first = reg.addRoom(facility, "101");
    const qint64 second = reg.addRoom(facility, "102");
    reg.addStays(first, 2);
    reg.addStays(second, 1);
    reg.addStays(reg.addRoom(reg.addFacility("Başka")), 1);

    StatementLog log(reg.db.handle());
    QCOMPARE(reg.links.TablolinkDetaySil("TESISLER", *reg.facility(facility)), 2 + 1 + 2);
    QStringList deletes;
    for (const QString &sql : log.statements()) {
        if (sql.startsWith("DELETE"))
            deletes << sql;
    }
    QCOMPARE(deletes, (QStringList{QStringLiteral("DELETE FROM MISAFIR WHERE _IDODAEV = '%1' AND 1").arg(first),
                                   QStringLiteral("DELETE FROM MISAFIR WHERE _IDODAEV = '%1' AND 1").arg(second),
                                   QStringLiteral("DELETE FROM ODAEV WHERE _IDTESISLER = '%1' AND 1").arg(facility)}));
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV"), 1);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM MISAFIR"), 1);
}

// "AND a OR b" would reach the rooms of every facility; the condition is kept to its master.
void TstTableLinks::extraConditionWithOrCannotReachOtherMasters()
{
    Register reg;
    reg.links.fdmtbltablelinks()[0].ekwheresql = QStringLiteral("ODAEVNO = '101' OR ODAEVNO = '102'");
    const qint64 facility = reg.addFacility();
    reg.addRoom(facility, "101");
    reg.addRoom(facility, "103");
    const qint64 other = reg.addFacility("Başka");
    reg.addRoom(other, "102");

    QCOMPARE(reg.links.TablolinkDetayKontrol("TESISLER", *reg.facility(facility)), 1);
    QCOMPARE(reg.links.TablolinkDetaySil("TESISLER", *reg.facility(facility)), 1);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV WHERE _IDTESISLER = " + QString::number(other)), 1);
    QCOMPARE(reg.count("SELECT COUNT(*) FROM ODAEV WHERE _IDTESISLER = " + QString::number(facility)), 1);
}

QTEST_GUILESS_MAIN(TstTableLinks)
#include "tst_tablelinks.moc"
