#include "data/TableLinks.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "db/Query.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

const QString kSelectDetails =
    QStringLiteral("SELECT * FROM &detailtable WHERE &detailfield = :mastervalue AND &ekwhere");
const QString kDeleteDetails =
    QStringLiteral("DELETE FROM &detailtable WHERE &detailfield = :mastervalue AND &ekwhere");

// The link rows of the master table that have the given flag set, in list order. Table names
// compare as the engine compares them, without regard to case.
TableLinkList linksOf(const QString &tablo, const TableLinkList &links, bool TableLink::*flag)
{
    TableLinkList matching;
    for (const TableLink &link : links) {
        if (link.*flag && link.mastertable.compare(tablo, Qt::CaseInsensitive) == 0)
            matching << link;
    }
    return matching;
}

// The macro values of a link's statements. The extra condition is put in parentheses so that a
// condition with OR in it cannot escape the master value: "AND a OR b" would reach the detail
// rows of every master, and the delete statement would remove them.
void applyLinkMacros(Query &query, const TableLink &link)
{
    const bool hasCondition = link.ekwheresql && !link.ekwheresql->trimmed().isEmpty();
    query.setMacro(QStringLiteral("detailtable"), link.detailtable);
    query.setMacro(QStringLiteral("detailfield"), link.detailfield);
    query.setMacro(QStringLiteral("ekwhere"),
                   hasCondition ? QLatin1Char('(') + *link.ekwheresql + QLatin1Char(')') : QStringLiteral("1"));
}

// The master value is bound as text in its stored form, so that an integer key matches the
// integer column of the detail table through the column's affinity, and a date key matches a
// date stored as YYYY-MM-DD.
QString masterValueText(const Field &key)
{
    return key.rawValue().toString();
}

// Opens the detail rows of a link and reads all of them, so that no statement stays open while
// the walk goes deeper on the same connection.
void openDetailRows(Query &details, const TableLink &link, const QString &masterValue)
{
    details.setSql(kSelectDetails);
    applyLinkMacros(details, link);
    details.setParam(QStringLiteral("mastervalue"), masterValue);
    details.setReadOnly(true);
    details.open();
    details.fetchAll();
}

int deleteDetailRows(Database &db, const TableLink &link, const QString &masterValue)
{
    Query deletion(&db);
    deletion.setSql(kDeleteDetails);
    applyLinkMacros(deletion, link);
    return db.execute(deletion.expandedSql(), {{QStringLiteral("mastervalue"), masterValue}});
}

} // namespace

// The limits of one level of the count. An unset limit means no limit.
struct TableLinks::Limits {
    std::optional<int> dongulimit;    // link rows examined on each level
    std::optional<int> donguderinlik; // levels still to count
    std::optional<int> sonuclimiti;   // results wanted before the search stops going deeper
    // Entries of other names travel to the deeper levels unchanged; no level reads them today.
    QStringList otherEntries;

    static Limits parse(const QString &options);

    // The limits of the level below a detail row. The result budget that is passed down may be
    // negative: it then means the budget is spent, never "no limit".
    Limits nextLevel(int found, int detailRows) const
    {
        Limits next = *this;
        if (donguderinlik)
            next.donguderinlik = *donguderinlik - 1;
        if (sonuclimiti)
            next.sonuclimiti = *sonuclimiti - found - detailRows;
        return next;
    }

    bool budgetSpent(int found) const { return sonuclimiti && *sonuclimiti - found < 0; }

private:
    static std::optional<int> parseLimit(const QString &value);
};

// Entries are separated by commas alone, so blanks belong to the entry and " dongulimit=1" names
// no limit. Names compare without regard to case; the first entry of a name counts.
TableLinks::Limits TableLinks::Limits::parse(const QString &options)
{
    Limits limits;
    struct Named {
        QString name;
        std::optional<int> *limit;
        bool seen;
    } named[] = {{QStringLiteral("dongulimit"), &limits.dongulimit, false},
                 {QStringLiteral("donguderinlik"), &limits.donguderinlik, false},
                 {QStringLiteral("sonuclimiti"), &limits.sonuclimiti, false}};
    for (const QString &entry : options.split(QLatin1Char(','))) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        Named *match = nullptr;
        for (Named &candidate : named) {
            if (equals >= 0 && !candidate.seen
                && entry.left(equals).compare(candidate.name, Qt::CaseInsensitive) == 0)
                match = &candidate;
        }
        if (!match) {
            if (!entry.isEmpty())
                limits.otherEntries << entry;
            continue;
        }
        match->seen = true;
        *match->limit = parseLimit(entry.mid(equals + 1));
    }
    return limits;
}

// An empty value and -1 mean no limit; so does any other negative number, which could never be
// reached as a count.
std::optional<int> TableLinks::Limits::parseLimit(const QString &value)
{
    if (value.isEmpty())
        return std::nullopt;
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    bool ok = false;
    const int number = wholeNumber.match(value).hasMatch() ? value.trimmed().toInt(&ok) : 0;
    if (!ok)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    if (number < 0)
        return std::nullopt;
    return number;
}

TableLinks::TableLinks(Database &db) : m_db(db) {}

void TableLinks::fillDefaultLinks()
{
    m_links.clear();
    m_links << TableLink{QStringLiteral("TESISLER"), QStringLiteral("IDTESISLER"), QStringLiteral("ODAEV"),
                         QStringLiteral("_IDTESISLER"), true, true, std::nullopt}
            << TableLink{QStringLiteral("ODAEV"), QStringLiteral("IDODAEV"), QStringLiteral("MISAFIR"),
                         QStringLiteral("_IDODAEV"), true, false, std::nullopt};
}

int TableLinks::TablolinkDetayKontrol(const QString &tablo, const Query &Fields, const QString &options,
                                      const TableLinkList *LinkDataset)
{
    return countDependents(tablo, Fields, Limits::parse(options), LinkDataset ? *LinkDataset : m_links);
}

bool TableLinks::TablolinkDetayVarmi(const QString &tablo, const Query &Fields,
                                     const TableLinkList *LinkDataset)
{
    return TablolinkDetayKontrol(tablo, Fields, QStringLiteral("dongulimit=1"), LinkDataset) > 0;
}

int TableLinks::TablolinkDetaySil(const QString &tablo, const Query &Fields, const TableLinkList *LinkDataset)
{
    return deleteDependents(tablo, Fields, LinkDataset ? *LinkDataset : m_links);
}

// One level of the count. The link limit is tested after a link row was examined, so a limit of
// 0 still examines one.
int TableLinks::countDependents(const QString &tablo, const Query &master, const Limits &limits,
                                const TableLinkList &links)
{
    if (limits.donguderinlik == 0)
        return 0;
    int found = 0;
    int examined = 0;
    for (const TableLink &link : linksOf(tablo, links, &TableLink::kayituyari)) {
        ++examined;
        const Field &key = master.fieldByName(link.masterfield);
        if (!key.isNull())
            found += countThroughLink(link, masterValueText(key), limits, found);
        if (limits.dongulimit && examined >= *limits.dongulimit)
            break;
    }
    return found;
}

// The detail rows of one link plus, depth first, the dependents of each of them. Once more was
// found than the result limit allows, the remaining detail rows are counted but not searched.
int TableLinks::countThroughLink(const TableLink &link, const QString &masterValue, const Limits &limits,
                                 int foundBefore)
{
    Query details(&m_db);
    openDetailRows(details, link, masterValue);
    const int detailRows = details.loadedCount();
    int found = foundBefore;
    for (int row = 0; row < detailRows; ++row) {
        if (limits.budgetSpent(found))
            break;
        details.moveTo(row);
        found += countDependents(link.detailtable, details, limits.nextLevel(found, detailRows), m_links);
    }
    return found - foundBefore + detailRows;
}

// One level of the deletion: the dependents of each detail row go first, then the detail rows
// of the link in one statement.
int TableLinks::deleteDependents(const QString &tablo, const Query &master, const TableLinkList &links)
{
    int deleted = 0;
    for (const TableLink &link : linksOf(tablo, links, &TableLink::kayitsil)) {
        const Field &key = master.fieldByName(link.masterfield);
        if (key.isNull())
            continue;
        const QString masterValue = masterValueText(key);
        {
            Query details(&m_db);
            openDetailRows(details, link, masterValue);
            for (int row = 0; row < details.loadedCount(); ++row) {
                details.moveTo(row);
                deleted += deleteDependents(link.detailtable, details, m_links);
            }
        }
        deleted += deleteDetailRows(m_db, link, masterValue);
    }
    return deleted;
}
