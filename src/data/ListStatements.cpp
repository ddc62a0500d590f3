#include "data/ListStatements.h"

#include "db/Database.h"
#include "db/Statement.h"

#include <sqlite3.h>

#include <exception>

namespace {

// Sorting every stay by a term that is 0 for each of them only delays the first row: when no
// stay can be without a room, the newest-first order alone is the same order, and the engine
// walks the table backwards by key.
const char *const kGuestListByKey =
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
    "WHERE (&staticfilter) AND (&filter)\n"
    "GROUP BY IDMISAFIR\n"
    "HAVING (&having)\n"
    "ORDER BY IDMISAFIR DESC";

// The last day of a stay, the day before departure. Only a departure that begins with a digit is
// read as a date ("now" is not a day of the stay). The stays' days index of the creation script
// holds the departure beside the room and the arrival, so the engine reads this from the index
// alone instead of reading every stay.
const char *const kLastDay = "DATE(CASE WHEN AYRILISTARIH GLOB '[0-9]*' THEN AYRILISTARIH END,'-1 day')";

// The moment condition lists a stay only when its departure, date and time joined, is not before
// the moment, or when it has no departure. Such a stay's last day is at most two days before
// the moment's day (a departure time of "24:00" and a departure day past the month's end move
// the joined moment forward); seven days leave room for any reading of odd dates. A departure
// that is not read as a date has no last day and is looked at by the moment condition itself.
QString checkOutListByLastDay()
{
    return QStringLiteral(
               "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
               "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
               "WHERE (&staticfilter) AND (&filter) AND IDMISAFIR IN (SELECT IDMISAFIR FROM MISAFIR INDEXED BY "
               "%2 WHERE %1 IS NULL OR %1>=DATE(:tarih,'-7 days'))\n"
               "GROUP BY IDMISAFIR\n"
               "HAVING (&having)\n"
               "ORDER BY TESISADI,ODAEVNO,IDMISAFIR DESC")
        .arg(QLatin1String(kLastDay), QLatin1String(ListStatements::kStayDaysIndex));
}

// The day condition holds for a stay that arrives on the day, or whose last day is not before
// the day, or whose departure is not read as a date (then the day itself is taken as its last
// day). The added condition is implied by the day condition, so it removes no stay; it only
// lets the engine find the stays by index instead of reading all of them.
QString exportDayListByLastDay()
{
    return QStringLiteral(
               "SELECT * FROM MISAFIR INNER JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
               "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
               "WHERE (&staticfilter) AND (&filter) AND TESISLER.TESISAKTIF=1 AND IDMISAFIR IN (SELECT IDMISAFIR "
               "FROM MISAFIR INDEXED BY %2 WHERE %1 IS NULL OR %1>=:tarih OR GELISTARIH=:tarih)\n"
               "GROUP BY IDMISAFIR\n"
               "HAVING (&having)\n"
               "ORDER BY TESISADI,ODAEVNO,IDMISAFIR DESC")
        .arg(QLatin1String(kLastDay), QLatin1String(ListStatements::kStayDaysIndex));
}

struct ColumnFacts {
    bool known = false;
    bool notNull = false;
    bool autoIncrement = false;
};

ColumnFacts columnFacts(const Database &db, const char *table, const char *column)
{
    const char *declaredType = nullptr;
    const char *collation = nullptr;
    int notNull = 0;
    int primaryKey = 0;
    int autoIncrement = 0;
    ColumnFacts facts;
    // A null schema name looks the table up as a statement would.
    if (sqlite3_table_column_metadata(db.handle(), nullptr, table, column, &declaredType, &collation, &notNull,
                                      &primaryKey, &autoIncrement)
        != SQLITE_OK)
        return facts;
    facts.known = true;
    facts.notNull = notNull != 0;
    facts.autoIncrement = autoIncrement != 0;
    return facts;
}

// Each row of the lists is one stay only when IDMISAFIR is the table's own row key, never NULL
// and never used twice; AUTOINCREMENT is allowed on nothing else. Otherwise GROUP BY IDMISAFIR
// may join stays, and which stay's values a joined row shows would depend on the engine's plan.
bool stayKeyIsRowKey(const Database &db)
{
    const ColumnFacts key = columnFacts(db, "MISAFIR", "IDMISAFIR");
    return key.known && key.autoIncrement;
}

bool stayDaysIndexExists(const Database &db)
{
    try {
        Statement statement(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='index' AND name=:name "
                                               "AND tbl_name='MISAFIR'"));
        statement.bind(QStringLiteral("name"), QString::fromLatin1(ListStatements::kStayDaysIndex));
        return statement.step();
    } catch (const std::exception &) {
        // Without a readable schema the lists keep their own texts, which need no index.
        return false;
    }
}

} // namespace

ListStatements::ListStatements(const Database *db)
{
    if (!db || !db->isOpen())
        return;
    const ColumnFacts room = columnFacts(*db, "MISAFIR", "_IDODAEV");
    m_everyStayHasRoom = room.known && room.notNull;
    m_stayKeyIsRowKey = stayKeyIsRowKey(*db);
    // Without the index the added condition would read every stay once more.
    m_stayDaysIndexed = stayDaysIndexExists(*db);
}

QString ListStatements::guestList() const
{
    return QString::fromLatin1(m_stayKeyIsRowKey && m_everyStayHasRoom ? kGuestListByKey : kGuestList);
}

QString ListStatements::checkOutList() const
{
    return m_stayKeyIsRowKey && m_stayDaysIndexed ? checkOutListByLastDay() : QString::fromLatin1(kCheckOutList);
}

QString ListStatements::exportDayList() const
{
    return m_stayKeyIsRowKey && m_stayDaysIndexed ? exportDayListByLastDay() : QString::fromLatin1(kExportDayList);
}
