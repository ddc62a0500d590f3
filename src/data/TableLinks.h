#pragma once
#include "data/TableLink.h"

#include <QString>

class Database;
class Query;

// The table-link list of the data module and the routines that walk it over the live database:
// counting the dependent records of a master record, telling whether it has any, and deleting
// the dependents that go with it. The master record is the current row of a query; every level
// of the walk runs its own queries on the one connection.
class TableLinks {
public:
    explicit TableLinks(Database &db);

    // Empties the list and gives it the links of this system's tables: rooms belong to their
    // facility (counted and deleted with it), guest stays to their room (counted, never deleted).
    void fillDefaultLinks();

    TableLinkList &fdmtbltablelinks() { return m_links; }
    const TableLinkList &fdmtbltablelinks() const { return m_links; }

    // The number of dependent records of the master record Fields of table tablo, within the
    // limits of options ("dongulimit=..,donguderinlik=..,sonuclimiti=.."; empty: no limits).
    // LinkDataset, when given, replaces the list on the first level only.
    int TablolinkDetayKontrol(const QString &tablo, const Query &Fields, const QString &options = {},
                              const TableLinkList *LinkDataset = nullptr);
    // Whether any dependent record is found when each level follows its first link only.
    bool TablolinkDetayVarmi(const QString &tablo, const Query &Fields,
                             const TableLinkList *LinkDataset = nullptr);
    // Deletes, deepest level first, the detail rows of every link of tablo marked for deletion;
    // not the master record itself. Opens no transaction: the caller wraps it, together with the
    // master's own deletion, in one. Returns the number of rows deleted.
    int TablolinkDetaySil(const QString &tablo, const Query &Fields,
                          const TableLinkList *LinkDataset = nullptr);

private:
    struct Limits;

    int countDependents(const QString &tablo, const Query &master, const Limits &limits,
                        const TableLinkList &links);
    int countThroughLink(const TableLink &link, const QString &masterValue, const Limits &limits,
                         int foundBefore);
    int deleteDependents(const QString &tablo, const Query &master, const TableLinkList &links);

    Database &m_db;
    TableLinkList m_links;
};
