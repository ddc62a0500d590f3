#pragma once
#include <QString>

class Database;

// The statements of the three guest lists (guest list, check-out, export window's day list) for
// one register. Each list has the text it has always had; where this register's schema makes a
// text exist that gives exactly the same rows, columns and order but lets the engine find the
// rows by key or by index, that text is given instead. Every text keeps the macros
// "&staticfilter", "&filter" and "&having" and the parameter ":tarih" of its window.
class ListStatements {
public:
    // The texts as the windows write them.
    static constexpr const char *kGuestList =
        "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
        "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
        "WHERE (&staticfilter) AND (&filter)\n"
        "GROUP BY IDMISAFIR\n"
        "HAVING (&having)\n"
        "ORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC";
    static constexpr const char *kCheckOutList =
        "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
        "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
        "WHERE (&staticfilter) AND (&filter)\n"
        "GROUP BY IDMISAFIR\n"
        "HAVING (&having)\n"
        "ORDER BY TESISADI,ODAEVNO,IDMISAFIR DESC";
    static constexpr const char *kExportDayList =
        "SELECT * FROM MISAFIR INNER JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
        "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
        "WHERE (&staticfilter) AND (&filter) AND TESISLER.TESISAKTIF=1\n"
        "GROUP BY IDMISAFIR\n"
        "HAVING (&having)\n"
        "ORDER BY TESISADI,ODAEVNO,IDMISAFIR DESC";

    // The index of the creation script on each stay's room, arrival and departure: the day lists
    // read the stays' days from it alone.
    static constexpr const char *kStayDaysIndex = "_IDODAEV_TARIH_index";

    // Reads the schema of the open register once. Without an open connection, or when the
    // schema cannot be read, every list keeps its own text.
    explicit ListStatements(const Database *db);

    // The guest list, for both choices of "Göster" and every filter.
    QString guestList() const;
    // The check-out list; its static filter is the moment condition with ":tarih" a date and time.
    QString checkOutList() const;
    // The export window's list; its static filter is the day condition with ":tarih" a date.
    QString exportDayList() const;

private:
    bool m_stayKeyIsRowKey = false;  // MISAFIR.IDMISAFIR is the AUTOINCREMENT row key
    bool m_everyStayHasRoom = false; // MISAFIR._IDODAEV is declared NOT NULL
    bool m_stayDaysIndexed = false;   // the stays' days index exists
};
