#include "SampleDataGenerator.h"

#include "data/CreationScript.h"
#include "db/AppError.h"
#include "GuestRowFactory.h"
#include "SampleDbFile.h"
#include "SampleRandom.h"
#include "SampleVocabulary.h"
#include "StayPlanner.h"
#include "StoredForms.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

const std::string kInsertGuest =
    "INSERT INTO MISAFIR (_IDODAEV, KIMLIKTURU, KIMLIKSERINO, UYRUGU, TCNO, ADI, SOYADI, BABAADI, ANAADI, "
    "CINSIYET, MEDENIDURUM, DOGUMYERI, DOGUMTARIHI, NUFUSKAYITIL, NUFUSKAYITILCE, NUFUSKAYITMAH, NUFUSCILT, "
    "NUFUSAILESIRANO, NUFUSSIRANO, IKAMETADRESI, MESLEGI, GELISTARIH, GELISSAAT, AYRILISTARIH, AYRILISSAAT, "
    "ARACPLAKANO, NOTLAR) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, "
    "?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27)";

void bindGuest(SampleDbStatement &insert, const GuestRow &row)
{
    int i = 0;
    insert.bind(++i, row.roomId);
    insert.bind(++i, row.kimlikTuru);
    insert.bind(++i, row.kimlikSeriNo);
    insert.bind(++i, row.uyrugu);
    insert.bind(++i, row.tcNo);
    insert.bind(++i, row.adi);
    insert.bind(++i, row.soyadi);
    insert.bind(++i, row.babaAdi);
    insert.bind(++i, row.anaAdi);
    insert.bind(++i, row.cinsiyet);
    insert.bind(++i, row.medeniDurum);
    insert.bind(++i, row.dogumYeri);
    insert.bind(++i, row.dogumTarihi);
    insert.bind(++i, row.nufusKayitIl);
    insert.bind(++i, row.nufusKayitIlce);
    insert.bind(++i, row.nufusKayitMah);
    insert.bind(++i, row.nufusCilt);
    insert.bind(++i, row.nufusAileSiraNo);
    insert.bind(++i, row.nufusSiraNo);
    insert.bind(++i, row.ikametAdresi);
    insert.bind(++i, row.meslegi);
    insert.bind(++i, row.gelisTarih);
    insert.bind(++i, row.gelisSaat);
    insert.bind(++i, row.ayrilisTarih);
    insert.bind(++i, row.ayrilisSaat);
    insert.bind(++i, row.aracPlakaNo);
    insert.bind(++i, row.notlar);
}

std::string facilityName(SampleRandom &random, int number)
{
    return std::string(random.pick(vocabulary::facilityKinds())) + ' ' +
           std::string(random.pick(vocabulary::facilityWords())) + ' ' + std::to_string(number);
}

std::vector<std::string> foreignNationalityCodes(SampleDbFile &db)
{
    std::vector<std::string> codes;
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db.handle(), "SELECT UYRUKKODU FROM UYRUK WHERE UYRUKKODU<>'TC' ORDER BY IDUYRUK", -1,
                           &raw, nullptr) != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(db.handle())));
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> stmt(raw, &sqlite3_finalize);
    while (sqlite3_step(raw) == SQLITE_ROW)
        codes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(raw, 0)));
    return codes;
}

} // namespace

GenerationSummary SampleDataGenerator::run()
{
    prepareOutputFile();
    try {
        return fill();
    } catch (...) {
        // journal_mode=OFF leaves nothing to roll back to: a half-filled file is of no use
        QFile::remove(m_options.outputPath);
        throw;
    }
}

void SampleDataGenerator::prepareOutputFile() const
{
    const QFileInfo target(m_options.outputPath);
    if (target.exists() && target.size() > 0 && !m_options.force)
        throw AppError(QStringLiteral("%1 exists and is not empty; add --force to replace it").arg(target.filePath()));
    for (const QString &path : {m_options.outputPath, m_options.outputPath + QStringLiteral("-journal")}) {
        QFile file(path);
        if (file.exists() && !file.remove())
            throw AppError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
}

GenerationSummary SampleDataGenerator::fill()
{
    QElapsedTimer timer;
    timer.start();
    SampleDbFile db(m_options.outputPath);
    db.exec(creationScriptText());
    // For the bulk load only: the program sets its own engine settings when it opens the file.
    db.exec(QStringLiteral("PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF; PRAGMA cache_size=-262144;"));
    db.exec(QStringLiteral("BEGIN"));
    SampleRandom random(m_options.seed);
    const std::vector<std::int64_t> roomIds = insertFacilitiesAndRooms(db, random);
    insertStays(db, random, roomIds);
    db.exec(QStringLiteral("COMMIT"));
    db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    GenerationSummary summary = count(db, m_options.today.toJulianDay());
    summary.seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    return summary;
}

std::vector<std::int64_t> SampleDataGenerator::insertFacilitiesAndRooms(SampleDbFile &db, SampleRandom &random)
{
    SampleDbStatement facility = db.prepare(
        "INSERT INTO TESISLER (TESISKODU, TESISBOLGE, TESISADI, TESISYETKILISI, TESISIL, TESISILCE, TESISTELEFON, "
        "TESISADRES, TESISAKTIF) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    SampleDbStatement room =
        db.prepare("INSERT INTO ODAEV (_IDTESISLER, ODAEVNO, ODAEVACIKLAMA) VALUES (?1, ?2, ?3)");
    const QByteArray regions = m_options.regionPattern.toLatin1();
    std::vector<std::int64_t> roomIds;
    roomIds.reserve(static_cast<std::size_t>(m_options.facilities) * static_cast<std::size_t>(m_options.roomsPerFacility));

    for (int f = 0; f < m_options.facilities; ++f) {
        const std::string province(random.pick(vocabulary::provinces()));
        const std::string district(random.pick(vocabulary::districts()));
        // codes are unique because each facility draws from its own block of numbers
        facility.bind(1, std::int64_t{100000} + std::int64_t{f} * 100 + random.between(0, 99));
        facility.bind(2, std::string(1, regions.at(f % regions.size())));
        facility.bind(3, facilityName(random, f + 1));
        facility.bind(4, std::string(random.pick(vocabulary::turkishMaleNames())) + ' ' +
                             std::string(random.pick(vocabulary::turkishSurnames())));
        facility.bind(5, province);
        facility.bind(6, district);
        facility.bind(7, "0 (" + std::to_string(random.between(212, 488)) + ") " + std::to_string(random.between(200, 999)) +
                             ' ' + std::to_string(random.between(10, 99)) + ' ' + std::to_string(random.between(10, 99)));
        facility.bind(8, std::string(random.pick(vocabulary::quarters())) + ' ' +
                             std::string(random.pick(vocabulary::streets())) + " No:" +
                             std::to_string(random.between(1, 99)) + ' ' + district + '/' + province);
        facility.bind(9, std::int64_t{f < m_options.facilities - m_options.inactiveFacilities ? 1 : 0});
        facility.run();
        const std::int64_t facilityId = db.lastInsertId();

        for (int r = 0; r < m_options.roomsPerFacility; ++r) {
            // twenty rooms to a floor: 101 to 120, 201 to 220, ...
            room.bind(1, facilityId);
            room.bind(2, std::to_string((r / 20 + 1) * 100 + r % 20 + 1));
            room.bind(3, std::string(random.pick(vocabulary::roomDescriptions())));
            room.run();
            roomIds.push_back(db.lastInsertId());
        }
    }
    return roomIds;
}

void SampleDataGenerator::insertStays(SampleDbFile &db, SampleRandom &random, const std::vector<std::int64_t> &roomIds)
{
    const std::vector<StayPlan> plans =
        StayPlanner(m_options.today.toJulianDay(), random).plan(m_options.stays, m_options.present);
    GuestRowFactory guests(random, foreignNationalityCodes(db));
    SampleDbStatement insert = db.prepare(kInsertGuest);
    for (const StayPlan &plan : plans) {
        const std::int64_t roomId = random.pick(std::span<const std::int64_t>(roomIds));
        bindGuest(insert, guests.make(plan, roomId));
        insert.run();
    }
}

GenerationSummary SampleDataGenerator::count(SampleDbFile &db, std::int64_t today)
{
    const std::string day = "'" + storedforms::dayText(today) + "'";
    GenerationSummary summary;
    summary.facilities = db.integer("SELECT count(*) FROM TESISLER");
    summary.rooms = db.integer("SELECT count(*) FROM ODAEV");
    summary.stays = db.integer("SELECT count(*) FROM MISAFIR");
    summary.presentToday = db.integer("SELECT count(*) FROM MISAFIR WHERE (" + day +
                                      " BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day')," + day +
                                      ")) OR GELISTARIH=" + day);
    summary.futureStays = db.integer("SELECT count(*) FROM MISAFIR WHERE GELISTARIH>" + day);
    summary.openStays = db.integer("SELECT count(*) FROM MISAFIR WHERE AYRILISTARIH IS NULL");
    return summary;
}
