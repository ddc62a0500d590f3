#include "notify/PresentGuestsByCode.h"

#include "db/AppError.h"
#include "db/Statement.h"
#include "notify/PresentGuestsPerCode.h"

#include <cmath>
#include <optional>

namespace {

const char *const kPerCodeSql =
    "SELECT *,datetime(DATE(GELISTARIH), TIME(GELISSAAT)) AS GELISTARIHSAAT FROM MISAFIR INNER JOIN "
    "ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE TESISLER.TESISKODU=:tesiskodu AND "
    "TESISLER.TESISAKTIF=1 AND ((:tarih BETWEEN GELISTARIH AND "
    "COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih) GROUP BY IDMISAFIR ";

// Every present guest of an active facility with the facility's code, in key order. The joins are
// walked from the facilities through the rooms to the stays of each room, so that the stays are
// read through the index on room and dates (_IDODAEV_TARIH_index) rather than row by row.
const char *const kAllCodesSql =
    "SELECT TESISLER.TESISKODU,MISAFIR.IDMISAFIR FROM TESISLER CROSS JOIN ODAEV CROSS JOIN MISAFIR "
    "WHERE TESISLER.IDTESISLER=ODAEV._IDTESISLER AND ODAEV.IDODAEV=MISAFIR._IDODAEV AND "
    "TESISLER.TESISAKTIF=1 AND ((:tarih BETWEEN GELISTARIH AND "
    "COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih) ORDER BY MISAFIR.IDMISAFIR";

// One guest's row with the columns of the per-code statement. A stay joins one room and one
// facility at most, so the per-code statement's GROUP BY keeps that row as it is.
const char *const kGuestByIdSql =
    "SELECT *,datetime(DATE(GELISTARIH), TIME(GELISSAAT)) AS GELISTARIHSAAT FROM MISAFIR INNER JOIN "
    "ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE MISAFIR.IDMISAFIR=:idmisafir";

// Whether column is the one column of table's primary key, so that no two rows share a value.
bool isSoleKey(Database &db, const QString &table, const QString &column)
{
    Statement keys(db, QStringLiteral("SELECT name FROM pragma_table_info(:tablo) WHERE pk>0"));
    keys.bind(QStringLiteral("tablo"), table);
    QStringList names;
    while (keys.step())
        names << keys.columnValue(0).toString();
    return names.size() == 1 && names.first().compare(column, Qt::CaseInsensitive) == 0;
}

// A column declared as text turns a number compared with it into text; every other declaration
// compares a stored number with a number as numbers and never finds a text equal to one.
bool comparesAsNumber(Database &db, const QString &table, const QString &column)
{
    Statement type(db, QStringLiteral("SELECT upper(type) FROM pragma_table_info(:tablo) WHERE name=:kolon"));
    type.bind(QStringLiteral("tablo"), table);
    type.bind(QStringLiteral("kolon"), column);
    if (!type.step())
        return false;
    const QString declared = type.columnValue(0).toString();
    if (declared.contains(QLatin1String("INT")))
        return true;
    return !declared.contains(QLatin1String("CHAR")) && !declared.contains(QLatin1String("CLOB"))
        && !declared.contains(QLatin1String("TEXT"));
}

// The whole number a stored facility code equals, if any: an integer, or a real without fraction
// within the integers (the engine compares a number with an integer exactly).
std::optional<qint64> wholeNumber(const QVariant &stored)
{
    if (stored.typeId() == QMetaType::LongLong)
        return stored.toLongLong();
    if (stored.typeId() == QMetaType::Double) {
        const double value = stored.toDouble();
        if (value >= -9223372036854775808.0 && value < 9223372036854775808.0 && std::trunc(value) == value)
            return qint64(value);
    }
    return std::nullopt;
}

// Thrown inside the pass when a row shows what the schema check could not see.
struct PassDoesNotFit {};

} // namespace

QString PresentGuestsByCode::perCodeSql()
{
    return QString::fromLatin1(kPerCodeSql);
}

QString PresentGuestsByCode::onePassSql()
{
    return QString::fromLatin1(kAllCodesSql);
}

QString PresentGuestsByCode::guestByIdSql()
{
    return QString::fromLatin1(kGuestByIdSql);
}

PresentGuestsByCode::PresentGuestsByCode(Database &db, const QDate &day) : m_db(db), m_day(day) {}

PresentGuestsByCode::~PresentGuestsByCode() = default;

bool PresentGuestsByCode::onePassGivesSameRows(Database &db)
{
    return isSoleKey(db, QStringLiteral("MISAFIR"), QStringLiteral("IDMISAFIR"))
        && isSoleKey(db, QStringLiteral("ODAEV"), QStringLiteral("IDODAEV"))
        && isSoleKey(db, QStringLiteral("TESISLER"), QStringLiteral("IDTESISLER"))
        && comparesAsNumber(db, QStringLiteral("TESISLER"), QStringLiteral("TESISKODU"));
}

QHash<qint64, QList<qint64>> PresentGuestsByCode::findAll(Database &db, const QDate &day)
{
    Statement present(db, onePassSql());
    present.bind(QStringLiteral("tarih"), day);
    QHash<qint64, QList<qint64>> byCode;
    while (present.step()) {
        const QVariant id = present.columnValue(1);
        if (id.typeId() != QMetaType::LongLong)
            throw PassDoesNotFit{};
        if (const std::optional<qint64> code = wholeNumber(present.columnValue(0)))
            byCode[*code].append(id.toLongLong());
    }
    return byCode;
}

void PresentGuestsByCode::prepare()
{
    if (onePassGivesSameRows(m_db)) {
        try {
            m_guestsByCode = findAll(m_db, m_day);
            m_guestById = std::make_unique<Statement>(m_db, guestByIdSql());
            m_ready = true;
            return;
        } catch (const PassDoesNotFit &) {
            m_guestsByCode.clear();
        }
    }
    m_perCode = std::make_unique<PresentGuestsPerCode>(m_db, m_day, perCodeSql());
    m_ready = true;
}

const Statement &PresentGuestsByCode::start(qint64 tesisKodu)
{
    if (!m_ready)
        prepare();
    if (m_perCode)
        return m_perCode->start(tesisKodu);
    m_current = m_guestsByCode.value(tesisKodu);
    m_position = 0;
    return *m_guestById;
}

bool PresentGuestsByCode::next()
{
    if (m_perCode)
        return m_perCode->next();
    if (!m_guestById || m_position >= m_current.size())
        return false;
    m_guestById->reset();
    m_guestById->bind(QStringLiteral("idmisafir"), m_current.at(m_position++));
    if (!m_guestById->step())
        throw AppError(QStringLiteral("Misafir kaydı bulunamadı (IDMISAFIR %1)").arg(m_current.at(m_position - 1)));
    return true;
}
