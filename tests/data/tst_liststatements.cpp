// The guest lists run the statement texts the register allows. Each faster text is run beside
// the list's own text on generated registers, odd rows included, and must give the same columns,
// declared types, rows, values and order.
#include "TestSupport.h"

#include "data/CreationScript.h"
#include "data/ListStatements.h"
#include "db/Database.h"
#include "db/Query.h"
#include "db/Statement.h"

#include <QDate>
#include <QDateTime>

#include <memory>

namespace {

enum class RegisterKind {
    Current,          // made by the creation script
    RoomMayBeEmpty,   // an old MISAFIR whose _IDODAEV (and arrival day) may be NULL
    KeyMayBeEmpty,    // an old MISAFIR whose IDMISAFIR is a plain column
};

enum class List { Guests, CheckOut, ExportDay };

// The columns of MISAFIR in their order; the old registers spell out the first three columns
// themselves.
const char *const kMisafirColumnsAfterRoom =
    "KIMLIKTURU CHAR(1) NOT NULL, KIMLIKSERINO VARCHAR(20) NOT NULL, UYRUGU VARCHAR(5) NOT NULL, "
    "TCNO UNSIGNED BIGINT, ADI VARCHAR(80) NOT NULL, SOYADI VARCHAR(80) NOT NULL, BABAADI VARCHAR(80), "
    "ANAADI VARCHAR(80), CINSIYET CHAR(1) NOT NULL, MEDENIDURUM CHAR(1) NOT NULL, DOGUMYERI VARCHAR(80) NOT NULL, "
    "DOGUMTARIHI DATE NOT NULL, NUFUSKAYITIL VARCHAR(80), NUFUSKAYITILCE VARCHAR(80), NUFUSKAYITMAH VARCHAR(80), "
    "NUFUSCILT INT, NUFUSAILESIRANO INT, NUFUSSIRANO INT, IKAMETADRESI VARCHAR(255) NOT NULL, MESLEGI VARCHAR(80), "
    "GELISTARIH DATE%1, GELISSAAT TIME, AYRILISTARIH DATE, AYRILISSAAT TIME, ARACPLAKANO VARCHAR(20), "
    "NOTLAR VARCHAR(255)";

QString oldMisafirTable(RegisterKind kind)
{
    const QString rest = QString::fromLatin1(kMisafirColumnsAfterRoom);
    if (kind == RegisterKind::RoomMayBeEmpty)
        return QStringLiteral("CREATE TABLE MISAFIR(IDMISAFIR INTEGER PRIMARY KEY AUTOINCREMENT, _IDODAEV INT, %1)")
            .arg(rest.arg(QString()));
    return QStringLiteral("CREATE TABLE MISAFIR(IDMISAFIR INT, _IDODAEV INT NOT NULL, %1)").arg(rest.arg(" NOT NULL"));
}

QString day(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// Small fixed-seed generator, so that every run builds the same register.
class Picker {
public:
    int below(int bound)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % quint64(bound));
    }
    template<typename T>
    const T &from(const QList<T> &values) { return values.at(below(int(values.size()))); }

private:
    quint64 m_state = 20261211;
};

// A register built around today: facilities of the same name, rooms with the same number or
// none, an inactive facility, a room without facility, and stays with every kind of arrival and
// departure the lists treat in their own way (unreadable texts, numbers, "now", times of 24:00,
// a day past the month's end).
class GeneratedRegister {
public:
    static constexpr int kStays = 3000;

    GeneratedRegister(RegisterKind kind, const QDate &today) : m_kind(kind), m_today(today)
    {
        m_db.open(QStringLiteral("qrt.db"));
        m_db.execute(QStringLiteral("PRAGMA synchronous=OFF"));
        // An old register already holds its stays when the script adds what is missing.
        if (kind != RegisterKind::Current) {
            m_db.execute(oldMisafirTable(kind));
            addStays();
        }
        m_db.executeScript(creationScriptText(), true);
        addRooms();
        if (kind == RegisterKind::Current)
            addStays();
    }

    Database &db() { return m_db; }
    RegisterKind kind() const { return m_kind; }

private:
    void addRooms()
    {
        m_db.executeScript(QStringLiteral(
            "INSERT INTO TESISLER (IDTESISLER,TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES "
            "(1,11,'P','Otel Güneş',1),(2,12,'J','Otel Güneş',1),(3,13,'P','Ada Pansiyon',0),"
            "(4,14,'J','Çınar Evleri',1),(5,15,'P','Zeytin Ev',NULL);"
            "INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES "
            "(1,1,'101'),(2,1,'102'),(3,2,'101'),(4,2,NULL),(5,3,'101'),(6,4,'Ev 1'),(7,4,'Ev 1'),"
            "(8,5,'1'),(9,99,'101');"));
    }

    QList<QVariant> roomChoices() const
    {
        QList<QVariant> rooms;
        for (qint64 room = 1; room <= 9; ++room)
            rooms << room;
        rooms << qint64(42); // no such room
        if (m_kind == RegisterKind::RoomMayBeEmpty)
            rooms << QVariant() << QVariant();
        return rooms;
    }

    QList<QVariant> arrivalDays() const
    {
        QList<QVariant> days;
        for (int offset : {-400, -30, -3, -2, -1, -1, 0, 0, 0, 1, 5})
            days << day(m_today.addDays(offset));
        days << QString() << QStringLiteral("abc") << QStringLiteral("2026-1-5") << m_today.toJulianDay()
             << day(m_today) + QStringLiteral(" 10:00");
        if (m_kind == RegisterKind::RoomMayBeEmpty)
            days << QVariant();
        return days;
    }

    QList<QVariant> departureDays() const
    {
        QList<QVariant> days{QVariant(), QVariant(), QVariant()};
        for (int offset : {-400, -8, -7, -2, -1, 0, 0, 1, 1, 2, 30})
            days << day(m_today.addDays(offset));
        days << QStringLiteral("abc") << QStringLiteral("2026-1-5") << QStringLiteral("now") << QStringLiteral("NOW")
             << QString() << day(m_today) + QStringLiteral(" 23:00") << day(m_today.addDays(1)) + QStringLiteral("T01:00+05:00")
             << day(m_today.addDays(-1)) + QStringLiteral(" 24:00") << QStringLiteral("0000-01-01") << qint64(0)
             << m_today.toJulianDay() + 1 << double(m_today.toJulianDay()) - 0.25 << QStringLiteral("2026-02-31")
             << QStringLiteral("2026-03-01") << QStringLiteral("24:00") << QStringLiteral(" %1").arg(day(m_today));
        return days;
    }

    void addStays()
    {
        const QList<QVariant> rooms = roomChoices();
        const QList<QVariant> arrivals = arrivalDays();
        const QList<QVariant> departures = departureDays();
        const QList<QVariant> times{QVariant(), QStringLiteral("00:00:00.000"), QStringLiteral("08:00:00.000"),
                                    QStringLiteral("12:30:00.000"), QStringLiteral("15:00:00.000"),
                                    QStringLiteral("23:59:59.999"), QStringLiteral("xyz"), QStringLiteral("24:00")};
        const QList<QVariant> names{QStringLiteral("Ali"), QStringLiteral("Ayşe"), QStringLiteral("İsmail"),
                                    QStringLiteral("Işık"), QStringLiteral("ali"), QStringLiteral("Zeynep")};
        Picker pick;
        m_db.beginTransaction();
        Statement insert(m_db, QStringLiteral(
            "INSERT INTO MISAFIR (IDMISAFIR,_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,MEDENIDURUM,"
            "DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH,GELISSAAT,AYRILISTARIH,AYRILISSAAT) VALUES "
            "(:id,:room,'N','A1','TC',:name,'Yılmaz','E','B','Ankara','1980-01-01','Adres',:arrival,:arrivaltime,"
            ":departure,:departuretime)"));
        for (int i = 1; i <= kStays; ++i) {
            insert.reset();
            insert.bind(QStringLiteral("id"), stayKey(i, pick));
            insert.bind(QStringLiteral("room"), pick.from(rooms));
            insert.bind(QStringLiteral("name"), pick.from(names));
            insert.bind(QStringLiteral("arrival"), pick.from(arrivals));
            insert.bind(QStringLiteral("arrivaltime"), pick.from(times));
            insert.bind(QStringLiteral("departure"), pick.from(departures));
            insert.bind(QStringLiteral("departuretime"), pick.from(times));
            insert.step();
        }
        m_db.commit();
    }

    // An old register with a plain key column has stays without key and keys used twice.
    QVariant stayKey(int ordinal, Picker &pick) const
    {
        if (m_kind != RegisterKind::KeyMayBeEmpty)
            return qint64(ordinal);
        const int choice = pick.below(10);
        return choice == 0 ? QVariant() : choice == 1 ? QVariant(qint64(ordinal - 1)) : QVariant(qint64(ordinal));
    }

    testsupport::ScopedWorkDir m_dir;
    RegisterKind m_kind;
    QDate m_today;
    Database m_db;
};

struct ListResult {
    QStringList names;
    QStringList declaredTypes;
    QList<QVariantList> rows;
};

QString expanded(const QString &sql, const QString &staticFilter, const QString &filter, const QString &having)
{
    Query query(nullptr);
    query.setSql(sql);
    query.setMacro(QStringLiteral("staticfilter"), staticFilter);
    query.setMacro(QStringLiteral("filter"), filter);
    query.setMacro(QStringLiteral("having"), having);
    return query.expandedSql();
}

ListResult run(Database &db, const QString &sql, const QVariant &tarih)
{
    Statement statement(db, sql);
    statement.bind(QStringLiteral("tarih"), tarih);
    ListResult result;
    for (int c = 0; c < statement.columnCount(); ++c) {
        result.names << statement.columnName(c);
        result.declaredTypes << statement.declaredType(c);
    }
    while (statement.step()) {
        QVariantList row;
        for (int c = 0; c < statement.columnCount(); ++c)
            row << statement.columnValue(c);
        result.rows << row;
    }
    return result;
}

// Equal in the engine's own type as well: 1 and 1.0 or 1 and '1' are different values here.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.typeId() == b.typeId() && a == b;
}

QString describe(const QVariantList &row)
{
    QStringList values;
    for (const QVariant &value : row)
        values << (value.isNull() ? QStringLiteral("NULL") : value.toString());
    return values.join(u'|');
}

void compareRowByRow(const ListResult &ours, const ListResult &original)
{
    QCOMPARE(ours.names, original.names);
    QCOMPARE(ours.declaredTypes, original.declaredTypes);
    QCOMPARE(ours.rows.size(), original.rows.size());
    for (int r = 0; r < ours.rows.size(); ++r) {
        for (int c = 0; c < ours.rows[r].size(); ++c) {
            if (!sameValue(ours.rows[r][c], original.rows[r][c]))
                QFAIL(qPrintable(QStringLiteral("row %1 differs in %2:\n ours     %3\n original %4")
                                     .arg(r)
                                     .arg(original.names[c], describe(ours.rows[r]), describe(original.rows[r]))));
        }
    }
}

const char *const kKonaklayanlar =
    "((DATE('now','localtime') BETWEEN GELISTARIH AND COALESCE(AYRILISTARIH,DATE('now','localtime'))) "
    "OR GELISTARIH=DATE('now','localtime'))";
const char *const kMomentCondition =
    "DATETIME(:tarih) BETWEEN datetime(date(GELISTARIH) || \" \" || time(GELISSAAT)) AND "
    "datetime(CASE WHEN AYRILISTARIH IS NOT NULL THEN (DATE(AYRILISTARIH) || ' ' || "
    "TIME(COALESCE(AYRILISSAAT,:tarih))) ELSE :tarih END)";
const char *const kDayCondition =
    "(:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih";

// Filter bar conditions as the translation writes them, and one group condition.
struct FilterCase {
    const char *name;
    const char *filter;
    const char *having;
};
const FilterCase kFilters[] = {
    {"no filter", "1", "1"},
    {"name contains i", "(((ADI LIKE '%i%') OR (ADI LIKE '%İ%')))", "1"},
    {"room 101", "((ODAEVNO ='101'))", "1"},
    {"no departure", "((AYRILISTARIH IS NULL))", "1"},
    {"arrival range", "((GELISTARIH BETWEEN '2026-01-01' AND '2099-12-31'))", "1"},
    {"facility in group", "1", "(TESISADI LIKE '%Güneş%')"},
};

const char *kindName(RegisterKind kind)
{
    switch (kind) {
    case RegisterKind::Current: return "current register";
    case RegisterKind::RoomMayBeEmpty: return "old register, room may be empty";
    case RegisterKind::KeyMayBeEmpty: return "old register, key may be empty";
    }
    return "";
}

} // namespace

Q_DECLARE_METATYPE(RegisterKind)
Q_DECLARE_METATYPE(List)

class TestListStatements : public QObject {
    Q_OBJECT

    std::unique_ptr<GeneratedRegister> m_register;
    QDate m_today;

    GeneratedRegister &registerOf(RegisterKind kind)
    {
        if (!m_register || m_register->kind() != kind) {
            m_register.reset();
            m_register = std::make_unique<GeneratedRegister>(kind, m_today);
        }
        return *m_register;
    }

    static QString ownText(List list)
    {
        switch (list) {
        case List::Guests: return QString::fromLatin1(ListStatements::kGuestList);
        case List::CheckOut: return QString::fromLatin1(ListStatements::kCheckOutList);
        case List::ExportDay: return QString::fromLatin1(ListStatements::kExportDayList);
        }
        return {};
    }

    static QString registerText(const ListStatements &statements, List list)
    {
        switch (list) {
        case List::Guests: return statements.guestList();
        case List::CheckOut: return statements.checkOutList();
        case List::ExportDay: return statements.exportDayList();
        }
        return {};
    }

    // The static filters and parameter values each list is opened with.
    QList<QPair<QString, QPair<QString, QVariant>>> openings(List list) const
    {
        const QDate t = m_today;
        switch (list) {
        case List::Guests:
            return {{QStringLiteral("Tümü"), {QStringLiteral("1"), QVariant()}},
                    {QStringLiteral("Konaklayanlar"), {QString::fromLatin1(kKonaklayanlar), QVariant()}}};
        case List::CheckOut: {
            QList<QPair<QString, QPair<QString, QVariant>>> moments;
            for (const QDateTime &moment : {QDateTime(t, QTime(9, 0)), QDateTime(t, QTime(15, 0, 12, 345)),
                                            QDateTime(t, QTime(0, 0)), QDateTime(t.addDays(-1), QTime(23, 59, 59, 999)),
                                            QDateTime(t.addDays(1), QTime(10, 0)), QDateTime(QDate(2026, 3, 1), QTime(12, 0)),
                                            QDateTime(QDate(2000, 1, 1), QTime(0, 30))})
                moments.append({moment.toString(Qt::ISODateWithMs), {QString::fromLatin1(kMomentCondition), moment}});
            return moments;
        }
        case List::ExportDay: {
            QList<QPair<QString, QPair<QString, QVariant>>> days;
            for (const QDate &d : {t, t.addDays(-1), t.addDays(1), t.addDays(-7), QDate(2026, 3, 1), QDate(2000, 1, 1)})
                days.append({day(d), {QString::fromLatin1(kDayCondition), d}});
            return days;
        }
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        testsupport::pinTurkishLocale();
        m_today = QDate::currentDate();
    }

    void sameRowsAsTheListsOwnText_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<List>("list");
        QTest::addColumn<QString>("staticFilter");
        QTest::addColumn<QVariant>("tarih");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("having");
        const QList<QPair<List, const char *>> lists{
            {List::Guests, "guest list"}, {List::CheckOut, "check-out"}, {List::ExportDay, "export day"}};
        // Rows are grouped by register so that each register is built once.
        for (RegisterKind kind : {RegisterKind::Current, RegisterKind::RoomMayBeEmpty, RegisterKind::KeyMayBeEmpty}) {
            for (const auto &list : lists) {
                for (const auto &opening : openings(list.first)) {
                    for (const FilterCase &filter : kFilters) {
                        QTest::addRow("%s, %s %s, %s", kindName(kind), list.second, qPrintable(opening.first), filter.name)
                            << kind << list.first << opening.second.first << opening.second.second
                            << QString::fromUtf8(filter.filter) << QString::fromUtf8(filter.having);
                    }
                }
            }
        }
    }

    void sameRowsAsTheListsOwnText()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(List, list);
        QFETCH(QString, staticFilter);
        QFETCH(QVariant, tarih);
        QFETCH(QString, filter);
        QFETCH(QString, having);
        GeneratedRegister &reg = registerOf(kind);
        const ListStatements statements(&reg.db());
        const ListResult original = run(reg.db(), expanded(ownText(list), staticFilter, filter, having), tarih);
        const ListResult ours = run(reg.db(), expanded(registerText(statements, list), staticFilter, filter, having), tarih);
        compareRowByRow(ours, original);
    }

    // Which text each register gets: the faster one only where the schema guarantees equal results.
    void textChosenByTheSchema_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<bool>("fasterGuestList");
        QTest::addColumn<bool>("fasterDayLists");
        QTest::newRow("current register") << RegisterKind::Current << true << true;
        QTest::newRow("room may be empty") << RegisterKind::RoomMayBeEmpty << false << true;
        QTest::newRow("key may be empty") << RegisterKind::KeyMayBeEmpty << false << false;
    }

    void textChosenByTheSchema()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(bool, fasterGuestList);
        QFETCH(bool, fasterDayLists);
        GeneratedRegister &reg = registerOf(kind);
        const ListStatements statements(&reg.db());
        QCOMPARE(statements.guestList() != QLatin1String(ListStatements::kGuestList), fasterGuestList);
        QCOMPARE(statements.checkOutList() != QLatin1String(ListStatements::kCheckOutList), fasterDayLists);
        QCOMPARE(statements.exportDayList() != QLatin1String(ListStatements::kExportDayList), fasterDayLists);
    }

    void withoutTheIndexTheDayListsKeepTheirText()
    {
        GeneratedRegister &reg = registerOf(RegisterKind::Current);
        reg.db().execute(QStringLiteral("DROP INDEX %1").arg(QLatin1String(ListStatements::kStayDaysIndex)));
        const ListStatements statements(&reg.db());
        m_register.reset(); // the next case builds the register again
        QCOMPARE(statements.checkOutList(), QString::fromLatin1(ListStatements::kCheckOutList));
        QCOMPARE(statements.exportDayList(), QString::fromLatin1(ListStatements::kExportDayList));
        QVERIFY(statements.guestList() != QLatin1String(ListStatements::kGuestList));
    }

    void aClosedConnectionKeepsEveryText()
    {
        Database closed;
        const ListStatements statements(&closed);
        QCOMPARE(statements.guestList(), QString::fromLatin1(ListStatements::kGuestList));
        QCOMPARE(statements.checkOutList(), QString::fromLatin1(ListStatements::kCheckOutList));
        QCOMPARE(statements.exportDayList(), QString::fromLatin1(ListStatements::kExportDayList));
    }

    // The engine's plan: the guest list walks the stays by key without sorting them, the two day
    // lists read the stays' days from an index instead of reading every stay.
    void theEngineFindsTheRowsWithoutReadingEveryStay_data()
    {
        QTest::addColumn<List>("list");
        QTest::addColumn<QString>("staticFilter");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("unwanted");
        const QString fromIndex = QStringLiteral("USING COVERING INDEX ") + QLatin1String(ListStatements::kStayDaysIndex);
        QTest::newRow("guest list") << List::Guests << QStringLiteral("1") << QStringLiteral("SCAN MISAFIR")
                                    << QStringLiteral("USE TEMP B-TREE FOR ORDER BY");
        QTest::newRow("check-out") << List::CheckOut << QString::fromLatin1(kMomentCondition) << fromIndex
                                   << QStringLiteral("SCAN MISAFIR");
        QTest::newRow("export day") << List::ExportDay << QString::fromLatin1(kDayCondition) << fromIndex
                                    << QStringLiteral("SCAN MISAFIR");
    }

    void theEngineFindsTheRowsWithoutReadingEveryStay()
    {
        QFETCH(List, list);
        QFETCH(QString, staticFilter);
        QFETCH(QString, expected);
        QFETCH(QString, unwanted);
        GeneratedRegister &reg = registerOf(RegisterKind::Current);
        const ListStatements statements(&reg.db());
        Statement plan(reg.db(), QStringLiteral("EXPLAIN QUERY PLAN ")
                                     + expanded(registerText(statements, list), staticFilter, QStringLiteral("1"),
                                                QStringLiteral("1")));
        QStringList steps;
        while (plan.step())
            steps << plan.columnValue(3).toString();
        const QString described = steps.join(u'\n');
        QVERIFY2(described.contains(expected), qPrintable(described));
        QVERIFY2(!steps.contains(unwanted), qPrintable(described)); // a whole step: no reading of every stay
    }
};

QTEST_GUILESS_MAIN(TestListStatements)
#include "tst_liststatements.moc"
