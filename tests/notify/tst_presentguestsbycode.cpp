// The export finds the day's guests of every facility code in one pass. Whatever the register
// holds, the files it writes must be those the per-code guest statement gives, byte for byte,
// with the same guests left out and the same messages. Each case builds a generated register with
// awkward rows added, exports the same moment twice (once through the per-code statement, once
// through the pass) and compares everything the two runs wrote and reported.
#include "TestSupport.h"

#include "SampleDataGenerator.h"

#include "data/Tdm1.h"
#include "db/Database.h"
#include "delivery/ExportOutcome.h"
#include "forms/MessageBoxes.h"
#include "gen/TransientMessage.h"
#include "notify/PresentGuestsByCode.h"
#include "notify/PresentGuestsPerCode.h"
#include "notify/XmlKaydet.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QtTest>

#include <sqlite3.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The guest statement as the export ran it once per facility code; the reference of every case.
const QString kPerCodeSql = u"SELECT *,datetime(DATE(GELISTARIH), TIME(GELISSAAT)) AS GELISTARIHSAAT FROM MISAFIR "
                            "INNER JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
                            "TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE TESISLER.TESISKODU=:tesiskodu AND "
                            "TESISLER.TESISAKTIF=1 AND ((:tarih BETWEEN GELISTARIH AND "
                            "COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih) GROUP BY IDMISAFIR "_s;

const QDate kToday(2026, 12, 11);

// How the register's tables were declared.
enum class Schema {
    AsCreated,       // by the program's creation script
    RoomKeyNotUnique, // an old ODAEV whose IDODAEV is no key: two rooms share one
    CodeAsText,      // an old TESISLER whose TESISKODU is declared as text
};

// Everything one export run left behind, in a form two runs can be compared in.
struct RunRecord {
    QMap<QString, QByteArray> files; // "akbs/<name without the writing time>#<n>" -> content
    QStringList messages;            // "<options> | <text>", in the order shown
    QStringList facilities;          // one line per facility of the outcome
    int guestsWritten = 0;
    int guestsLeftOut = 0;
    bool onePass = false;
};

// A generated register with awkward rows added, the data module open on it.
class Register {
public:
    explicit Register(Schema schema)
    {
        GeneratorOptions options;
        options.outputPath = m_dir.filePath(u"qrt.db"_s);
        options.facilities = 5;
        options.roomsPerFacility = 3;
        options.stays = 3000;
        options.present = 150;
        options.inactiveFacilities = 1;
        options.today = kToday;
        options.seed = 13;
        SampleDataGenerator(options).run();
        reshape(options.outputPath, schema);
        m_dm = std::make_unique<Tdm1>();
        addAwkwardRows();
    }

    Database &db() { return *m_dm->dbMain(); }

    // Exports the moment with the guests found by finder into folders under run/.
    RunRecord exportInto(const QString &run, const QDateTime &moment, const PresentGuestsFinder &finder)
    {
        const QString police = m_dir.filePath(run + u"/akbs"_s);
        const QString gendarmerie = m_dir.filePath(run + u"/jkbs"_s);
        QDir().mkpath(police);
        QDir().mkpath(gendarmerie);
        db().execute(u"UPDATE AYAR SET AKBXMLDIZIN=:p, JKBXMLDIZIN=:j WHERE IDAYAR=1"_s,
                     {{u"p"_s, police}, {u"j"_s, gendarmerie}});
        RunRecord record;
        const ScopedMesajGosterHook hook(
            [&record](const QString &text, const QString &options) { record.messages << options + u" | "_s + text; });
        const ExportOutcome outcome = XmlDosyalariKaydet(moment, finder);
        readFiles(police, u"akbs"_s, record);
        readFiles(gendarmerie, u"jkbs"_s, record);
        for (const FacilityDelivery &facility : outcome.facilities)
            record.facilities << describe(facility);
        record.guestsWritten = outcome.guestsWritten();
        record.guestsLeftOut = outcome.guestsLeftOut();
        return record;
    }

private:
    qint64 addFacility(const QVariant &code, const char *region, const QString &name, const QVariant &active)
    {
        db().execute(u"INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES (:k,:b,:a,:e)"_s,
                     {{u"k"_s, code}, {u"b"_s, QString::fromLatin1(region)}, {u"a"_s, name}, {u"e"_s, active}});
        return db().lastInsertRowId();
    }

    // The room's key is written out, as a table without a key column would not give one.
    qint64 addRoom(qint64 facility, const QString &number)
    {
        const qint64 key = db().scalar(u"SELECT IFNULL(MAX(IDODAEV),0)+1 FROM ODAEV"_s).toLongLong();
        db().execute(u"INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES (:k,:t,:n)"_s,
                     {{u"k"_s, key}, {u"t"_s, facility}, {u"n"_s, number}});
        return key;
    }

    // A complete guest in room, present from arrival on; changes overrides columns (a null
    // QVariant writes NULL).
    void addGuest(qint64 room, const QVariant &arrival, const QVariant &departure, const QVariantMap &changes = {})
    {
        QVariantMap row{{u"_IDODAEV"_s, room},
                        {u"KIMLIKTURU"_s, u"N"_s},
                        {u"KIMLIKSERINO"_s, u"A12B34"_s},
                        {u"UYRUGU"_s, u"TC"_s},
                        {u"TCNO"_s, 10000000146LL},
                        {u"ADI"_s, u"Ayşe"_s},
                        {u"SOYADI"_s, u"Çelik"_s},
                        {u"BABAADI"_s, u"Hüseyin"_s},
                        {u"ANAADI"_s, u"Gülşen"_s},
                        {u"CINSIYET"_s, u"K"_s},
                        {u"MEDENIDURUM"_s, u"E"_s},
                        {u"DOGUMYERI"_s, u"İzmir"_s},
                        {u"DOGUMTARIHI"_s, u"1984-02-29"_s},
                        {u"IKAMETADRESI"_s, u"Kordon Boyu 5, Konak"_s},
                        {u"GELISTARIH"_s, arrival},
                        {u"GELISSAAT"_s, u"14:30:00.000"_s},
                        {u"AYRILISTARIH"_s, departure},
                        {u"AYRILISSAAT"_s, departure.isNull() ? QVariant() : QVariant(u"11:00:00.000"_s)}};
        for (auto change = changes.cbegin(); change != changes.cend(); ++change)
            row.insert(change.key(), change.value());
        QStringList names;
        QStringList parameters;
        for (auto column = row.cbegin(); column != row.cend(); ++column) {
            names << column.key();
            parameters << u":"_s + column.key();
        }
        db().execute(u"INSERT INTO MISAFIR (%1) VALUES (%2)"_s.arg(names.join(u','), parameters.join(u',')), row);
    }

    // Declares a table again as an older register had it, before the program opens the file.
    static void reshape(const QString &file, Schema schema)
    {
        if (schema == Schema::RoomKeyNotUnique) {
            runScript(file, u"CREATE TABLE ODAEV_ESKI (IDODAEV INT, _IDTESISLER INT NOT NULL, ODAEVNO VARCHAR(15), "
                               "ODAEVACIKLAMA VARCHAR(80)); INSERT INTO ODAEV_ESKI SELECT * FROM ODAEV; "
                               "DROP TABLE ODAEV; ALTER TABLE ODAEV_ESKI RENAME TO ODAEV;"_s);
            // the first room's key again, in the last generated facility that is active
            runScript(file, u"INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES (1,4,'Ek 1')"_s);
        } else if (schema == Schema::CodeAsText) {
            runScript(file, u"CREATE TABLE TESISLER_ESKI (IDTESISLER INTEGER PRIMARY KEY AUTOINCREMENT, "
                               "TESISKODU VARCHAR(10) NOT NULL, TESISBOLGE CHAR(1) NOT NULL, TESISADI VARCHAR(80) "
                               "NOT NULL, TESISYETKILISI VARCHAR(80), TESISIL VARCHAR(80), TESISILCE VARCHAR(80), "
                               "TESISTELEFON VARCHAR(80), TESISADRES VARCHAR(80), TESISAKTIF BOOLEAN DEFAULT 1); "
                               "INSERT INTO TESISLER_ESKI SELECT * FROM TESISLER; DROP TABLE TESISLER; "
                               "ALTER TABLE TESISLER_ESKI RENAME TO TESISLER;"_s);
        }
    }

    static void runScript(const QString &file, const QString &sql)
    {
        sqlite3 *handle = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
        const std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)> closing(handle, &sqlite3_close_v2);
        char *error = nullptr;
        const int rc = sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(handle));
        sqlite3_free(error);
        QVERIFY2(rc == SQLITE_OK, qPrintable(message));
    }

    void addAwkwardRows()
    {
        const QString today = kToday.toString(Qt::ISODate);
        const auto day = [](int offset) { return kToday.addDays(offset).toString(Qt::ISODate); };
        const qint64 generatedCode = db().scalar(u"SELECT TESISKODU FROM TESISLER WHERE IDTESISLER=1"_s).toLongLong();
        const qint64 generatedRoom = db().scalar(u"SELECT MIN(IDODAEV) FROM ODAEV WHERE _IDTESISLER=1"_s).toLongLong();

        // Two active facilities share a code; an inactive one and one with no active mark share it
        // as well, and an inactive one shares the code of a generated facility.
        const qint64 sharedA = addRoom(addFacility(7001, "P", u"Ortak Kod Bir"_s, 1), u"101"_s);
        const qint64 sharedB = addRoom(addFacility(7001, "P", u"Ortak Kod İki"_s, 1), u"A-1"_s);
        const qint64 closed = addRoom(addFacility(7001, "P", u"Ortak Kod Kapalı"_s, 0), u"101"_s);
        const qint64 unmarked = addRoom(addFacility(7001, "P", u"Ortak Kod İşaretsiz"_s, QVariant()), u"7"_s);
        const qint64 closedTwin = addRoom(addFacility(generatedCode, "J", u"Kapalı İkiz"_s, 0), u"12"_s);
        addFacility(7002, "J", u"Odasız Tesis"_s, 1);
        addFacility(u"abc"_s, "J", u"Yazı Kodlu Tesis"_s, 1);
        const qint64 realCode = addRoom(addFacility(7003.5, "P", u"Kesirli Kod"_s, 1), u"1"_s);

        addGuest(sharedA, day(-2), day(2));
        addGuest(sharedB, today, QVariant(), {{u"ADI"_s, u"Mehmet"_s}, {u"TCNO"_s, QVariant()}});
        addGuest(closed, day(-1), day(3), {{u"ADI"_s, u"Kapalı"_s}});
        addGuest(unmarked, day(-1), day(3), {{u"ADI"_s, u"İşaretsiz"_s}});
        addGuest(closedTwin, day(-1), day(3), {{u"ADI"_s, u"İkiz"_s}});
        addGuest(realCode, day(-1), day(3), {{u"ADI"_s, u"Kesir"_s}});
        addGuest(888888, today, QVariant(), {{u"ADI"_s, u"Odasız"_s}});
        // leaving on the day, arriving and leaving on the day, open for over a year
        addGuest(sharedA, day(-1), today, {{u"ADI"_s, u"Dün Gelen"_s}});
        addGuest(sharedB, today, today, {{u"ADI"_s, u"Günübirlik"_s}});
        addGuest(generatedRoom, day(-400), QVariant(), {{u"ADI"_s, u"Uzun"_s}});
        // incomplete rows: no arrival time, an unreadable one, empty texts, no birth date
        addGuest(sharedA, day(-1), day(1), {{u"ADI"_s, u"Saatsiz"_s}, {u"GELISSAAT"_s, QVariant()}});
        addGuest(sharedB, day(-1), day(1), {{u"ADI"_s, u"Saati Bozuk"_s}, {u"GELISSAAT"_s, u"25:61"_s}});
        addGuest(sharedA, day(-1), day(1),
                 {{u"ADI"_s, u""_s}, {u"SOYADI"_s, u""_s}, {u"BABAADI"_s, u""_s}, {u"KIMLIKSERINO"_s, u""_s},
                  {u"DOGUMTARIHI"_s, u""_s}, {u"IKAMETADRESI"_s, u""_s}});
        addGuest(generatedRoom, day(-1), day(1), {{u"ADI"_s, u"Doğum Bozuk"_s}, {u"DOGUMTARIHI"_s, u"abc"_s}});
        // dates the engine cannot read: texts, an unpadded date, numbers
        addGuest(sharedA, u"abc"_s, QVariant(), {{u"ADI"_s, u"Tarih Yazı"_s}});
        addGuest(sharedB, u"2026-1-5"_s, QVariant(), {{u"ADI"_s, u"Tarih Kısa"_s}});
        addGuest(sharedA, 20261201, QVariant(), {{u"ADI"_s, u"Tarih Sayı"_s}});
        addGuest(sharedB, day(-3), u"abc"_s, {{u"ADI"_s, u"Ayrılış Yazı"_s}});
        addGuest(sharedA, day(-3), u"2026-1-5"_s, {{u"ADI"_s, u"Ayrılış Kısa"_s}});
        addGuest(sharedB, day(-3), 2461390.5, {{u"ADI"_s, u"Ayrılış Sayı"_s}});
        // letters the file cannot hold, and characters the file escapes
        addGuest(sharedA, day(-1), day(1), {{u"ADI"_s, u"Łukasz Ω"_s}, {u"SOYADI"_s, u"Nowak 😀"_s}});
        addGuest(sharedB, day(-1), day(1), {{u"ADI"_s, u"Zoë & \"Jo\""_s}, {u"SOYADI"_s, u"<Ñúñez>"_s}});
        // equal guests, and one whose key comes before every other
        addGuest(sharedB, day(-1), day(1), {{u"ADI"_s, u"Eş"_s}});
        addGuest(sharedB, day(-1), day(1), {{u"ADI"_s, u"Eş"_s}});
        addGuest(sharedA, day(-1), day(1), {{u"ADI"_s, u"Eksi Anahtar"_s}, {u"IDMISAFIR"_s, -5}});
    }

    static void readFiles(const QString &folder, const QString &label, RunRecord &record)
    {
        QMap<QString, int> seen;
        for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            QFile file(QDir(folder).filePath(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            // the name ends in the writing time ("yyyyMMdd_HHmmss.xml"), which two runs cannot share
            const QString lead = label + u'/' + name.chopped(19);
            record.files.insert(lead + u'#' + QString::number(seen[lead]++), file.readAll());
        }
    }

    static QString describe(const FacilityDelivery &facility)
    {
        QStringList leftOut;
        for (const LeftOutGuest &guest : facility.leftOut)
            leftOut << guest.report();
        return QStringList{QString::number(facility.facilityId), facility.facilityName, facility.code.toString(),
                           facility.region.toString(), facility.written ? u"yazıldı"_s : u"yazılmadı"_s,
                           QString::number(facility.guestsWritten), facility.hash, facility.reason,
                           facility.path.isEmpty() ? QString() : QFileInfo(facility.path).fileName().chopped(19),
                           leftOut.join(u" + "_s), facility.unwritableNotices.join(u" + "_s)}
            .join(u" | "_s);
    }

    testsupport::ScopedWorkDir m_dir;
    MessageBoxes::ScopedPresenter m_boxes{[](const MessageBoxes::Request &request) {
        qWarning("unexpected box: %s", qPrintable(request.text));
        return QMessageBox::Ok;
    }};
    std::unique_ptr<Tdm1> m_dm;
};

} // namespace

Q_DECLARE_METATYPE(Schema)

class TestPresentGuestsByCode : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void filesMatchThePerCodeStatement_data()
    {
        QTest::addColumn<Schema>("schema");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<bool>("onePass");
        QTest::newRow("the generated day") << Schema::AsCreated << kToday << true;
        QTest::newRow("the day before") << Schema::AsCreated << kToday.addDays(-1) << true;
        QTest::newRow("the day after") << Schema::AsCreated << kToday.addDays(1) << true;
        QTest::newRow("the first day of the long stay") << Schema::AsCreated << kToday.addDays(-400) << true;
        QTest::newRow("a day before every stay") << Schema::AsCreated << QDate(2000, 1, 1) << true;
        QTest::newRow("rooms sharing a key") << Schema::RoomKeyNotUnique << kToday << false;
        QTest::newRow("codes declared as text") << Schema::CodeAsText << kToday << false;
    }

    void filesMatchThePerCodeStatement()
    {
        QFETCH(Schema, schema);
        QFETCH(QDate, day);
        QFETCH(bool, onePass);
        Register reg(schema);
        QCOMPARE(PresentGuestsByCode::onePassGivesSameRows(reg.db()), onePass);
        const QDateTime moment(day, QTime(9, 41, 7));

        const RunRecord expected = reg.exportInto(u"per-code"_s, moment, [](Database &db, const QDate &date) {
            return std::make_unique<PresentGuestsPerCode>(db, date, kPerCodeSql);
        });
        bool usedOnePass = false;
        RunRecord actual = reg.exportInto(u"one-pass"_s, moment, [&usedOnePass](Database &db, const QDate &date) {
            // the export owns the finder; this one reports afterwards which way it found the guests
            class Observed : public PresentGuestsByCode {
            public:
                Observed(Database &db, const QDate &date, bool &onePass) : PresentGuestsByCode(db, date), m_onePass(onePass) {}
                ~Observed() override { m_onePass = usesOnePass(); }

            private:
                bool &m_onePass;
            };
            return std::make_unique<Observed>(db, date, usedOnePass);
        });

        QCOMPARE(usedOnePass, onePass);
        QCOMPARE(actual.files.keys(), expected.files.keys());
        for (auto file = expected.files.cbegin(); file != expected.files.cend(); ++file)
            QCOMPARE(actual.files.value(file.key()), file.value());
        QCOMPARE(actual.facilities, expected.facilities);
        QCOMPARE(actual.messages, expected.messages);
        QCOMPARE(actual.guestsWritten, expected.guestsWritten);
        QCOMPARE(actual.guestsLeftOut, expected.guestsLeftOut);
        if (day == kToday && schema != Schema::CodeAsText) {
            // the case is only worth its name when the register really gave guests and gaps
            QVERIFY2(expected.guestsWritten > 100, qPrintable(QString::number(expected.guestsWritten)));
            QVERIFY2(expected.guestsLeftOut >= 4, qPrintable(QString::number(expected.guestsLeftOut)));
        }
    }
};

QTEST_MAIN(TestPresentGuestsByCode)
#include "tst_presentguestsbycode.moc"
