// The unattended export from the outside: the built program is run with -otokaydet on a database
// prepared in a fresh working directory, and its exit status, its lines on standard error and the
// files it writes are compared with what the rows in the database call for, byte for byte.
#include "ExportFixture.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using e2e::ExportFixture;
using e2e::Guest;
using e2e::NotificationFile;
using e2e::RunResult;

namespace {

const QString kPoliceFolder = u"akbs"_s;
const QString kGendarmerieFolder = u"jkbs"_s;

// A run with facility reports lasts 2 s per report; anything far beyond that is a hang.
void verifyFinished(const RunResult &run, int expectedStatus)
{
    QVERIFY2(run.finished, qPrintable(u"the program did not end: "_s + run.standardError));
    QCOMPARE(run.exitStatus, QProcess::NormalExit);
    QCOMPARE(run.exitCode, expectedStatus);
}

// The rows are inserted relative to today; a run that crosses midnight would export another day.
bool ranOnDay(const RunResult &run, const QDate &day)
{
    return run.started.date() == day && run.ended.date() == day;
}

// The single notification file written for code into folder, with its layout checked.
void readOnlyFile(const ExportFixture &fixture, const QString &folder, qint64 code, QChar region,
                  const RunResult &run, NotificationFile *file)
{
    const QStringList files = fixture.notificationFiles(folder);
    QCOMPARE(files.size(), 1);
    e2e::readNotificationFile(fixture.filePath(files.first()), code, region, run, file);
}

// A prepared database with both export folders set to fresh folders.
void prepareWithFolders(const ExportFixture &fixture, bool police = true, bool gendarmerie = true)
{
    fixture.createDatabase();
    if (QTest::currentTestFailed())
        return;
    fixture.setFolders(police ? fixture.makeFolder(kPoliceFolder) : QString(),
                       gendarmerie ? fixture.makeFolder(kGendarmerieFolder) : QString());
}

} // namespace

class TestExportEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void switchStartsUnattendedRun_data();
    void switchStartsUnattendedRun();
    void runsWithoutReachableDisplay_data();
    void runsWithoutReachableDisplay();

    void dayCondition_data();
    void dayCondition();
    void everyColumnInItsAttribute();
    void charactersAreEscapedAndEncoded();
    void facilitiesWithoutGuestsStillGetFiles();
    void fileGoesIntoItsRegionFolder();
    void facilitiesSharingCodeListEachOthersGuests();

    void reportedFacilityIsSkipped_data();
    void reportedFacilityIsSkipped();
    void badRegionOrCodeWritesNothing_data();
    void badRegionOrCodeWritesNothing();
    void unreadableArrivalLeavesOnlyThatGuestOut();
    void arrivalInTheSkippedHourIsWrittenAsStored_data();
    void arrivalInTheSkippedHourIsWrittenAsStored();
    void failedWriteLeavesNoFile_data();
    void failedWriteLeavesNoFile();
    void existingNamesAreNeverReplaced();
    void staleTemporaryFilesAreRemoved();
    void ledgerRowsMatchTheFiles();

    void missingSettingsRowEndsRun();
    void lockedDatabaseEndsRunAtOnce();
    void fileThatIsNoDatabaseEndsRun();
};

void TestExportEndToEnd::initTestCase()
{
    testsupport::pinTurkishLocale();
    const QString program = qEnvironmentVariable("SELVANE_BINARY");
    QVERIFY2(QFileInfo(program).isExecutable(), "SELVANE_BINARY must name the built program");
}

// Every accepted form ends the way the unattended mode does on a fresh directory: the schema is
// created, the run stops on the empty settings, nothing is written. The interactive mode would
// open a window and wait instead.
void TestExportEndToEnd::switchStartsUnattendedRun_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("dash") << QStringList{u"-otokaydet"_s};
    QTest::newRow("slash") << QStringList{u"/otokaydet"_s};
    QTest::newRow("capitals") << QStringList{u"-OTOKAYDET"_s};
    QTest::newRow("mixed case after slash") << QStringList{u"/OtoKayDet"_s};
    QTest::newRow("after another argument") << QStringList{u"belge"_s, u"-otokaydet"_s};
}

void TestExportEndToEnd::switchStartsUnattendedRun()
{
    QFETCH(QStringList, arguments);
    ExportFixture fixture;
    const RunResult run = fixture.run(arguments);
    verifyFinished(run, 1);
    QCOMPARE(run.messages, QStringList{u"Selvane: Ayar girişi eksik."_s});
    QVERIFY(QFileInfo(fixture.databasePath()).isFile());
    QCOMPARE(fixture.writtenFiles(), QStringList());
}

// However the scheduler starts it, the run needs no display: with no display variable and no
// platform chosen, with a display that does not answer, or with a bare environment (no locale,
// no home) it falls back to the offscreen platform, shows its message there, writes the file into
// a folder whose name has Turkish letters and a blank, and reports in UTF-8.
void TestExportEndToEnd::runsWithoutReachableDisplay_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("bareEnvironment");
    QTest::newRow("no display at all") << QString() << false;
    QTest::newRow("display that does not answer") << u":197"_s << false;
    QTest::newRow("bare environment") << QString() << true;
}

void TestExportEndToEnd::runsWithoutReachableDisplay()
{
    QFETCH(QString, display);
    QFETCH(bool, bareEnvironment);
    ExportFixture fixture;
    fixture.createDatabase();
    const QString folder = u"Masaüstü/AKBS XML"_s;
    fixture.setFolders(fixture.makeFolder(folder), QString());
    fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    fixture.addFacility(0, u"P"_s, u"Kodsuz Ağaç"_s);
    const RunResult run = fixture.run({u"-otokaydet"_s}, [&](QProcessEnvironment &environment) {
        if (bareEnvironment) {
            environment.clear();
            environment.insert(u"PATH"_s, u"/usr/bin:/bin"_s);
        }
        if (!display.isEmpty())
            environment.insert(u"DISPLAY"_s, display);
    });
    verifyFinished(run, 2);
    QCOMPARE(run.messages, QStringList{u"Selvane: [error] Kodsuz Ağaç: TESİS KODU EKSİK. İŞLENMEDİ."_s});
    QCOMPARE(run.summary, u"Selvane: Özet: 2 etkin tesis, 1 dosya yazıldı, 0 misafir bildirildi, "
                          "0 misafir bildirime yazılmadı."_s);
    NotificationFile file;
    readOnlyFile(fixture, folder, 1234, u'P', run, &file);
    QCOMPARE(file.document, e2e::expectedKonaklama(1234, file.tarih, {}));
    QCOMPARE(fixture.writtenFiles().size(), 1);
}

// A guest is present on the day of arrival, and from then on until the day before departure.
void TestExportEndToEnd::dayCondition_data()
{
    QTest::addColumn<int>("arrival");   // days from today
    QTest::addColumn<QVariant>("departure"); // days from today, null: none recorded
    QTest::addColumn<bool>("listed");
    QTest::newRow("arrives today") << 0 << QVariant() << true;
    QTest::newRow("arrived yesterday, leaves today") << -1 << QVariant(0) << false;
    QTest::newRow("arrived yesterday, leaves tomorrow") << -1 << QVariant(1) << true;
    QTest::newRow("arrived last year, no departure") << -365 << QVariant() << true;
    QTest::newRow("arrives and leaves today") << 0 << QVariant(0) << true;
    QTest::newRow("arrives tomorrow") << 1 << QVariant() << false;
    QTest::newRow("left yesterday") << -3 << QVariant(-1) << false;
}

void TestExportEndToEnd::dayCondition()
{
    QFETCH(int, arrival);
    QFETCH(QVariant, departure);
    QFETCH(bool, listed);
    const QDate today = QDate::currentDate();
    ExportFixture fixture;
    prepareWithFolders(fixture);
    const qint64 facility = fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    Guest guest;
    guest.room = fixture.addRoom(facility, u"101"_s);
    guest.gelisTarih = e2e::dayText(arrival);
    if (!departure.isNull())
        guest.ayrilisTarih = e2e::dayText(departure.toInt());
    fixture.addGuest(guest);

    const RunResult run = fixture.run();
    if (!ranOnDay(run, today))
        QSKIP("the run crossed midnight");
    verifyFinished(run, 0);
    QCOMPARE(run.messages, QStringList());
    NotificationFile file;
    readOnlyFile(fixture, kPoliceFolder, 1234, u'P', run, &file);
    QByteArrayList kisiler;
    if (listed)
        kisiler << e2e::expectedKisi(guest, 1, u"101"_s);
    QCOMPARE(file.document, e2e::expectedKonaklama(1234, file.tarih, kisiler));
}

// Every column in its attribute, NULLs as empty attributes, the departure never written, a birth
// date that is empty or no date written as today, and SiraNo counting the rows of the guest query,
// which groups by IDMISAFIR and so hands the guests back in that order, not in the order of entry.
void TestExportEndToEnd::everyColumnInItsAttribute()
{
    const QDate today = QDate::currentDate();
    ExportFixture fixture;
    prepareWithFolders(fixture);
    const qint64 facility = fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    const qint64 room101 = fixture.addRoom(facility, u"101"_s);
    const qint64 roomWithoutNumber = fixture.addRoom(facility, QVariant());

    Guest full;
    full.id = 9;
    full.room = room101;
    full.gelisTarih = e2e::dayText(-1);
    full.ayrilisTarih = e2e::dayText(2);
    full.ayrilisSaat = u"11:00:00.000"_s;
    fixture.addGuest(full);

    Guest sparse;
    sparse.id = 4;
    sparse.room = roomWithoutNumber;
    sparse.kimlikTuru = u"P"_s;
    sparse.uyrugu = u"DEU"_s;
    sparse.cinsiyet = u"K"_s;
    sparse.medeniDurum = u"E"_s;
    sparse.adi = u"Anna"_s;
    sparse.soyadi = u"Schmidt"_s;
    sparse.tcno = QVariant();
    sparse.babaAdi = QVariant();
    sparse.anaAdi = QVariant();
    sparse.nufusIl = QVariant();
    sparse.nufusIlce = QVariant();
    sparse.nufusMahalle = QVariant();
    sparse.nufusCilt = QVariant();
    sparse.nufusAileSira = QVariant();
    sparse.nufusSira = QVariant();
    sparse.meslegi = QVariant();
    sparse.aracPlakaNo = QVariant();
    sparse.dogumTarihi = QString(u""_s);
    sparse.gelisSaat = u"08:05:09.250"_s;
    fixture.addGuest(sparse);

    Guest unreadableBirthDate;
    unreadableBirthDate.id = 6;
    unreadableBirthDate.room = room101;
    unreadableBirthDate.adi = u"Can"_s;
    unreadableBirthDate.dogumTarihi = u"31.12.1990"_s;
    fixture.addGuest(unreadableBirthDate);

    const RunResult run = fixture.run();
    if (!ranOnDay(run, today))
        QSKIP("the run crossed midnight");
    verifyFinished(run, 0);
    QCOMPARE(run.messages, QStringList());
    NotificationFile file;
    readOnlyFile(fixture, kPoliceFolder, 1234, u'P', run, &file);
    const QByteArray todayText = today.toString(Qt::ISODate).toLatin1();
    QCOMPARE(file.document,
             e2e::expectedKonaklama(1234, file.tarih,
                                    {e2e::expectedKisi(sparse, 1, QVariant(), {{"DogumTarihi", todayText}}),
                                     e2e::expectedKisi(unreadableBirthDate, 2, u"101"_s,
                                                       {{"DogumTarihi", todayText}}),
                                     e2e::expectedKisi(full, 3, u"101"_s)}));
}

// Markup characters become entities, TAB/CR/LF character references, Turkish letters their
// ISO-8859-9 bytes and anything that code page lacks "?" - before the hash is taken.
void TestExportEndToEnd::charactersAreEscapedAndEncoded()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    const qint64 facility = fixture.addFacility(1234, u"P"_s, u"Otel Güneş"_s);
    Guest guest;
    guest.room = fixture.addRoom(facility, u"Oda-Ş"_s);
    guest.adi = u"Łukasz & <Zoë> \"€\""_s;
    guest.soyadi = u"ĞğİıŞşÇçÖöÜü"_s;
    guest.babaAdi = u"Ýþ😀"_s; // Latin-1 letters whose places ISO-8859-9 gave to Turkish ones
    guest.anaAdi = u"Ayşe"_s;
    guest.dogumYeri = u"İstanbul"_s;
    guest.meslegi = u"Öğretmen"_s;
    guest.ikametAdresi = u"Satır 1\r\nSatır 2\tKapı 3"_s;
    guest.aracPlakaNo = u"34 ÇĞÜ 56"_s;
    fixture.addGuest(guest);

    const RunResult run = fixture.run();
    verifyFinished(run, 0);
    // The guest is written, and the trace names, field by field, the first letter the file holds as "?".
    QCOMPARE(run.messages.size(), 1);
    const QString notice = run.messages.first();
    QVERIFY2(notice.startsWith(u"Selvane: [warn] Otel Güneş: Łukasz & <Zoë> \"€\" ĞğİıŞşÇçÖöÜü: "_s), qPrintable(notice));
    QVERIFY2(notice.contains(u"Adı alanındaki \"Ł\" (U+0141)"_s) && notice.contains(u"Baba adı alanındaki \"Ý\" (U+00DD)"_s),
             qPrintable(notice));
    QVERIFY2(notice.endsWith(u"dosyaya \"?\" olarak yazıldı."_s), qPrintable(notice));
    NotificationFile file;
    readOnlyFile(fixture, kPoliceFolder, 1234, u'P', run, &file);
    const QByteArray kisi = e2e::expectedKisi(
        guest, 1, QVariant(),
        {{"Adi", "?ukasz &amp; &lt;Zo\xEB> &quot;?&quot;"},
         {"Soyadi", "\xD0\xF0\xDD\xFD\xDE\xFE\xC7\xE7\xD6\xF6\xDC\xFC"},
         {"BabaAdi", "???"},
         {"AnaAdi", "Ay\xFE" "e"},
         {"DogumYeri", "\xDDstanbul"},
         {"Isi", "\xD6\xF0retmen"},
         {"IkametAdresi", "Sat\xFDr 1&#13;&#10;Sat\xFDr 2&#9;Kap\xFD 3"},
         {"VerilenOdaNo", "Oda-\xDE"},
         {"AracPlakaNo", "34 \xC7\xD0\xDC 56"}});
    QCOMPARE(file.document, e2e::expectedKonaklama(1234, file.tarih, {kisi}));
}

// An active facility gets its file whether or not a guest is present, or it has a room at all;
// an inactive one gets neither a file nor a message, even with a guest present.
void TestExportEndToEnd::facilitiesWithoutGuestsStillGetFiles()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    const qint64 empty = fixture.addFacility(100, u"P"_s, u"Otel Bos"_s);
    Guest departed;
    departed.room = fixture.addRoom(empty, u"1"_s);
    departed.gelisTarih = e2e::dayText(-2);
    departed.ayrilisTarih = e2e::dayText(-1);
    fixture.addGuest(departed);
    fixture.addFacility(200, u"J"_s, u"Ev Odasiz"_s);
    const qint64 closed = fixture.addFacility(300, u"P"_s, u"Otel Kapali"_s, false);
    Guest present;
    present.room = fixture.addRoom(closed, u"2"_s);
    fixture.addGuest(present);

    const RunResult run = fixture.run();
    verifyFinished(run, 0);
    QCOMPARE(run.messages, QStringList());
    QCOMPARE(fixture.writtenFiles().size(), 2);
    NotificationFile police;
    readOnlyFile(fixture, kPoliceFolder, 100, u'P', run, &police);
    QCOMPARE(police.document, e2e::expectedKonaklama(100, police.tarih, {}));
    NotificationFile gendarmerie;
    readOnlyFile(fixture, kGendarmerieFolder, 200, u'J', run, &gendarmerie);
    QCOMPARE(gendarmerie.document, e2e::expectedKonaklama(200, gendarmerie.tarih, {}));
}

// "P" goes to the police folder, "J" to the gendarmerie folder, and a folder setting ending in a
// separator still puts the file directly inside. Nothing but the final files is left behind.
void TestExportEndToEnd::fileGoesIntoItsRegionFolder()
{
    ExportFixture fixture;
    fixture.createDatabase();
    const QString police = fixture.makeFolder(kPoliceFolder);
    fixture.makeFolder(kGendarmerieFolder);
    fixture.setFolders(police + u'/', fixture.filePath(kGendarmerieFolder));
    fixture.addFacility(11, u"P"_s, u"Otel Polis"_s);
    fixture.addFacility(22, u"J"_s, u"Pansiyon Jandarma"_s);

    const RunResult run = fixture.run();
    verifyFinished(run, 0);
    QCOMPARE(run.messages, QStringList());
    QCOMPARE(run.summary, u"Selvane: Özet: 2 etkin tesis, 2 dosya yazıldı, 0 misafir bildirildi, "
                          "0 misafir bildirime yazılmadı."_s);
    QCOMPARE(fixture.writtenFiles().size(), 2);
    NotificationFile file;
    readOnlyFile(fixture, kPoliceFolder, 11, u'P', run, &file);
    readOnlyFile(fixture, kGendarmerieFolder, 22, u'J', run, &file);
}

// Only "P" and "J" exactly choose a folder, and only a whole number above zero is a code: any
// other stored value is reported, writes nothing anywhere, and the run ends with status 2 while
// the good facility still gets its file.
void TestExportEndToEnd::badRegionOrCodeWritesNothing_data()
{
    QTest::addColumn<QVariant>("code");
    QTest::addColumn<QString>("region");
    QTest::addColumn<QString>("expectedLine");
    const QString badRegion = u"Selvane: [error] Tesis Hatali: TESİS BÖLGESİ HATALI. İŞLENMEDİ."_s;
    const QString badCode = u"Selvane: [error] Tesis Hatali: TESİS KODU EKSİK. İŞLENMEDİ."_s;
    QTest::newRow("lower-case p") << QVariant(qint64(55)) << u"p"_s << badRegion;
    QTest::newRow("P and a blank") << QVariant(qint64(55)) << u"P "_s << badRegion;
    QTest::newRow("X") << QVariant(qint64(55)) << u"X"_s << badRegion;
    QTest::newRow("empty region") << QVariant(qint64(55)) << u""_s << badRegion;
    QTest::newRow("code with a fraction") << QVariant(100045.7) << u"P"_s << badCode;
    QTest::newRow("code beyond the integers") << QVariant(1e20) << u"P"_s << badCode;
    QTest::newRow("negative code") << QVariant(qint64(-5)) << u"P"_s << badCode;
    QTest::newRow("code that is a word") << QVariant(u"abc"_s) << u"P"_s << badCode;
    // The code is checked before the region.
    QTest::newRow("no code and no region") << QVariant(qint64(0)) << u"X"_s << badCode;
}

void TestExportEndToEnd::badRegionOrCodeWritesNothing()
{
    QFETCH(QVariant, code);
    QFETCH(QString, region);
    QFETCH(QString, expectedLine);
    ExportFixture fixture;
    prepareWithFolders(fixture);
    {
        e2e::SqlFile db(fixture.databasePath());
        QCOMPARE(db.exec(u"INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES (?,?,?,1)"_s,
                         {code, region, u"Tesis Hatali"_s}),
                 QString());
    }
    fixture.addFacility(42, u"J"_s, u"Tesis 42"_s);

    const RunResult run = fixture.run();
    verifyFinished(run, 2);
    QCOMPARE(run.messages, QStringList{expectedLine});
    NotificationFile file;
    readOnlyFile(fixture, kGendarmerieFolder, 42, u'J', run, &file);
    QCOMPARE(fixture.writtenFiles(), fixture.notificationFiles(kGendarmerieFolder));
    const QList<QVariantMap> ledger = fixture.ledgerRows();
    QCOMPARE(ledger.size(), 2);
    QCOMPARE(ledger[0].value(u"SONUC"_s), QVariant(qint64(0)));
    QVERIFY(ledger[0].value(u"DOSYA"_s).isNull());
    QCOMPARE(u"Selvane: [error] "_s + ledger[0].value(u"ACIKLAMA"_s).toString(), expectedLine);
}

// Guests are selected by facility code: two active facilities with one code list the guests of
// both, in either region, while an inactive facility with that code contributes none.
void TestExportEndToEnd::facilitiesSharingCodeListEachOthersGuests()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    Guest first;
    first.room = fixture.addRoom(fixture.addFacility(777, u"P"_s, u"Otel Bir"_s), u"101"_s);
    first.adi = u"Birinci"_s;
    fixture.addGuest(first);
    Guest second;
    second.room = fixture.addRoom(fixture.addFacility(777, u"J"_s, u"Ev Iki"_s), u"Ev 2"_s);
    second.adi = u"Ikinci"_s;
    fixture.addGuest(second);
    Guest inactive;
    inactive.room = fixture.addRoom(fixture.addFacility(777, u"P"_s, u"Otel Kapali"_s, false), u"9"_s);
    inactive.adi = u"Kapali"_s;
    fixture.addGuest(inactive);

    const RunResult run = fixture.run();
    verifyFinished(run, 0);
    QCOMPARE(run.messages, QStringList());
    const QByteArrayList both = {e2e::expectedKisi(first, 1, u"101"_s), e2e::expectedKisi(second, 2, u"Ev 2"_s)};
    NotificationFile police;
    readOnlyFile(fixture, kPoliceFolder, 777, u'P', run, &police);
    QCOMPARE(police.document, e2e::expectedKonaklama(777, police.tarih, both));
    NotificationFile gendarmerie;
    readOnlyFile(fixture, kGendarmerieFolder, 777, u'J', run, &gendarmerie);
    QCOMPARE(gendarmerie.document, e2e::expectedKonaklama(777, gendarmerie.tarih, both));
}

// A facility that cannot be exported is reported on standard error and skipped; the facility of
// the other region is still written and the run ends normally. Folder settings: "dir" a folder,
// "file" a plain file, "missing" a path that does not exist, "" empty, "null" NULL.
void TestExportEndToEnd::reportedFacilityIsSkipped_data()
{
    QTest::addColumn<QString>("police");
    QTest::addColumn<QString>("gendarmerie");
    QTest::addColumn<qint64>("reportedCode");
    QTest::addColumn<QString>("reportedRegion");
    QTest::addColumn<QString>("expectedLine");
    QTest::addColumn<QString>("writtenRegion");

    QTest::newRow("only the police folder set")
        << u"dir"_s << u""_s << qint64(5) << u"J"_s
        << u"Selvane: [error] Tesis 5: JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s << u"P"_s;
    QTest::newRow("police folder is a file")
        << u"file"_s << u"dir"_s << qint64(5) << u"P"_s
        << u"Selvane: [error] Tesis 5: POLİS DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s << u"J"_s;
    QTest::newRow("police folder does not exist")
        << u"missing"_s << u"dir"_s << qint64(5) << u"P"_s
        << u"Selvane: [error] Tesis 5: POLİS DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s << u"J"_s;
    // The code is checked first: a facility without code is reported as such even when its
    // folder is missing as well.
    QTest::newRow("code missing and folder missing")
        << u"dir"_s << u"null"_s << qint64(0) << u"J"_s
        << u"Selvane: [error] Tesis 0: TESİS KODU EKSİK. İŞLENMEDİ."_s << u"P"_s;
}

void TestExportEndToEnd::reportedFacilityIsSkipped()
{
    QFETCH(QString, police);
    QFETCH(QString, gendarmerie);
    QFETCH(qint64, reportedCode);
    QFETCH(QString, reportedRegion);
    QFETCH(QString, expectedLine);
    QFETCH(QString, writtenRegion);

    ExportFixture fixture;
    fixture.createDatabase();
    QStringList expectedFiles;
    const auto folderSetting = [&](const QString &kind, const QString &name) -> QVariant {
        if (kind == u"dir")
            return fixture.makeFolder(name);
        if (kind == u"file") {
            QFile marker(fixture.filePath(name));
            marker.open(QIODevice::WriteOnly);
            expectedFiles << name;
            return marker.fileName();
        }
        if (kind == u"missing")
            return fixture.filePath(u"yok/"_s + name);
        if (kind == u"null")
            return QVariant();
        return kind;
    };
    fixture.setFolders(folderSetting(police, kPoliceFolder), folderSetting(gendarmerie, kGendarmerieFolder));
    fixture.addFacility(reportedCode, reportedRegion, u"Tesis %1"_s.arg(reportedCode));
    fixture.addFacility(42, writtenRegion, u"Tesis 42"_s);

    const RunResult run = fixture.run();
    verifyFinished(run, 2);
    QCOMPARE(run.messages, QStringList{expectedLine});
    const QString folder = writtenRegion == u"P" ? kPoliceFolder : kGendarmerieFolder;
    NotificationFile file;
    readOnlyFile(fixture, folder, 42, writtenRegion.front(), run, &file);
    QCOMPARE(file.document, e2e::expectedKonaklama(42, file.tarih, {}));
    expectedFiles << fixture.notificationFiles(folder);
    expectedFiles.sort();
    QCOMPARE(fixture.writtenFiles(), expectedFiles);
}

// A present guest whose arrival cannot be written is left out of the file, which is written with
// every other guest (SiraNo counting those written); each one left out is reported with facility,
// room, name and reason, recorded in the ledger, and the run ends with status 2.
void TestExportEndToEnd::unreadableArrivalLeavesOnlyThatGuestOut()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    const qint64 facility = fixture.addFacility(10, u"P"_s, u"Güneş Pansiyon"_s);
    Guest first;
    first.id = 1;
    first.room = fixture.addRoom(facility, u"101"_s);
    first.adi = u"Ali"_s;
    fixture.addGuest(first);
    Guest withoutTime = first;
    withoutTime.id = 2;
    withoutTime.adi = u"Ayşe"_s;
    withoutTime.soyadi = u"Öz"_s;
    withoutTime.gelisSaat = QVariant();
    fixture.addGuest(withoutTime);
    Guest badTime = first;
    badTime.id = 3;
    badTime.adi = u"Can"_s;
    badTime.gelisSaat = u"25:99"_s;
    fixture.addGuest(badTime);
    Guest last = first;
    last.id = 4;
    last.adi = u"Deniz"_s;
    fixture.addGuest(last);
    Guest other;
    other.room = fixture.addRoom(fixture.addFacility(20, u"J"_s, u"Ev Saatli"_s), u"2"_s);
    fixture.addGuest(other);

    const RunResult run = fixture.run();
    verifyFinished(run, 2);
    QCOMPARE(run.messages,
             (QStringList{u"Selvane: [error] Güneş Pansiyon / 101 / Ayşe Öz: geliş saati eksik, bildirime yazılmadı."_s,
                          u"Selvane: [error] Güneş Pansiyon / 101 / Can Kaya: geliş saati okunamadı, bildirime yazılmadı."_s}));
    QCOMPARE(run.summary, u"Selvane: Özet: 2 etkin tesis, 2 dosya yazıldı, 3 misafir bildirildi, "
                          "2 misafir bildirime yazılmadı."_s);
    NotificationFile police;
    readOnlyFile(fixture, kPoliceFolder, 10, u'P', run, &police);
    QCOMPARE(police.document, e2e::expectedKonaklama(10, police.tarih,
                                                     {e2e::expectedKisi(first, 1, u"101"_s),
                                                      e2e::expectedKisi(last, 2, u"101"_s)}));
    NotificationFile gendarmerie;
    readOnlyFile(fixture, kGendarmerieFolder, 20, u'J', run, &gendarmerie);
    QCOMPARE(gendarmerie.document,
             e2e::expectedKonaklama(20, gendarmerie.tarih, {e2e::expectedKisi(other, 1, u"2"_s)}));

    const QList<QVariantMap> ledger = fixture.ledgerRows();
    QCOMPARE(ledger.size(), 2);
    QCOMPARE(ledger[0].value(u"SONUC"_s), QVariant(qint64(1)));
    QCOMPARE(ledger[0].value(u"KISISAYISI"_s), QVariant(qint64(2)));
    QCOMPARE(ledger[0].value(u"EKSIKSAYISI"_s), QVariant(qint64(2)));
    QCOMPARE(ledger[0].value(u"ACIKLAMA"_s).toString(),
             u"Güneş Pansiyon / 101 / Ayşe Öz: geliş saati eksik, bildirime yazılmadı. "
             "Güneş Pansiyon / 101 / Can Kaya: geliş saati okunamadı, bildirime yazılmadı."_s);
    QCOMPARE(ledger[1].value(u"EKSIKSAYISI"_s), QVariant(qint64(0)));
}

// The arrival is written as the texts stored, never converted through local time: in a zone
// with daylight saving, an arrival in the hour the clocks skip is written as it is.
void TestExportEndToEnd::arrivalInTheSkippedHourIsWrittenAsStored_data()
{
    QTest::addColumn<QString>("zone");
    QTest::newRow("Europe/Berlin") << u"Europe/Berlin"_s;
    QTest::newRow("Europe/Istanbul") << u"Europe/Istanbul"_s;
}

void TestExportEndToEnd::arrivalInTheSkippedHourIsWrittenAsStored()
{
    QFETCH(QString, zone);
    // The last Sunday of March, 02:30, in the latest year in which it has passed.
    const QDate today = QDate::currentDate();
    const auto lastSundayOfMarch = [](int year) {
        QDate day(year, 3, 31);
        return day.addDays(-(day.dayOfWeek() % 7));
    };
    QDate arrival = lastSundayOfMarch(today.year());
    if (arrival > today)
        arrival = lastSundayOfMarch(today.year() - 1);
    ExportFixture fixture;
    prepareWithFolders(fixture);
    Guest guest;
    guest.room = fixture.addRoom(fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s), u"101"_s);
    guest.gelisTarih = arrival.toString(Qt::ISODate);
    guest.gelisSaat = u"02:30:00.000"_s;
    fixture.addGuest(guest);

    const RunResult run = fixture.run({u"-otokaydet"_s},
                                      [&](QProcessEnvironment &environment) { environment.insert(u"TZ"_s, zone); });
    verifyFinished(run, 0);
    QCOMPARE(run.messages, QStringList());
    // The stamps of the name are in the program's zone, not in the test's: only the content counts.
    const QStringList files = fixture.notificationFiles(kPoliceFolder);
    QCOMPARE(files.size(), 1);
    QFile file(fixture.filePath(files.first()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("GelisTarihi=\"" + arrival.toString(Qt::ISODate).toLatin1() + " 02:30:00\""));
}

// A file that cannot be written completely leaves neither a partial .xml nor its temporary file;
// the message names the facility and the file and gives the system's reason, and the run goes on
// and ends with status 2. The child's file size limit stops the write: the database stays below
// it, the guest whose name is all quotation marks (six bytes each once escaped) makes that one
// document larger. The run ignores the signal a size limit sends by itself; a scheduler that did
// not ignore it beforehand must not see the process killed.
void TestExportEndToEnd::failedWriteLeavesNoFile_data()
{
    QTest::addColumn<bool>("signalIgnoredByStarter");
    QTest::newRow("signal ignored by the starter") << true;
    QTest::newRow("signal left at its default") << false;
}

void TestExportEndToEnd::failedWriteLeavesNoFile()
{
    QFETCH(bool, signalIgnoredByStarter);
    constexpr rlim_t fileSizeLimit = 1024 * 1024;
    ExportFixture fixture;
    prepareWithFolders(fixture);
    Guest large;
    large.room = fixture.addRoom(fixture.addFacility(10, u"P"_s, u"Otel Buyuk"_s), u"1"_s);
    large.adi = QString(200000, u'"');
    fixture.addGuest(large);
    Guest small;
    small.room = fixture.addRoom(fixture.addFacility(20, u"J"_s, u"Ev Kucuk"_s), u"2"_s);
    fixture.addGuest(small);
    QVERIFY(QFileInfo(fixture.databasePath()).size() * 2 < qint64(fileSizeLimit));

    const RunResult run = fixture.run({u"-otokaydet"_s}, {}, [signalIgnoredByStarter] {
        // In the child between fork and exec: an ignored signal stays ignored across exec.
        std::signal(SIGXFSZ, signalIgnoredByStarter ? SIG_IGN : SIG_DFL);
        rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    verifyFinished(run, 2);
    QCOMPARE(run.messages.size(), 1);
    const QRegularExpression expectedLine(
        u"^Selvane: \\[neutral\\] Otel Buyuk: \"%1/\\d{8}_\\d{6}T10P\\d{8}_\\d{6}\\.xml\" dosyası yazılamadı: .+$"_s.arg(
            QRegularExpression::escape(fixture.filePath(kPoliceFolder))));
    QVERIFY2(expectedLine.match(run.messages.first()).hasMatch(), qPrintable(run.messages.first()));
    QCOMPARE(fixture.notificationFiles(kPoliceFolder), QStringList());
    NotificationFile file;
    readOnlyFile(fixture, kGendarmerieFolder, 20, u'J', run, &file);
    QCOMPARE(fixture.writtenFiles().size(), 1);
}

// A name that exists already is never replaced: the run takes the name again with a later
// writing time. Files under every name the run could choose in its first seconds are there
// beforehand, with content of their own.
void TestExportEndToEnd::existingNamesAreNeverReplaced()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    const QDateTime start = QDateTime::currentDateTime().addSecs(1);
    const QString stampFormat = u"yyyyMMdd_HHmmss"_s;
    QStringList existing;
    for (int moment = -1; moment < 4; ++moment) {
        for (int writing = moment; writing < 8; ++writing) {
            const QString name = start.addSecs(moment).toString(stampFormat) + u"T1234P"_s
                + start.addSecs(writing).toString(stampFormat) + u".xml"_s;
            QFile file(fixture.filePath(kPoliceFolder + u'/' + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(name.toLatin1());
            existing << kPoliceFolder + u'/' + name;
        }
    }
    const RunResult run = fixture.run();
    verifyFinished(run, 0);
    QStringList after = fixture.notificationFiles(kPoliceFolder);
    QCOMPARE(after.size(), existing.size() + 1);
    for (const QString &name : existing) {
        QFile file(fixture.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QFileInfo(name).fileName().toLatin1());
        after.removeOne(name);
    }
    QCOMPARE(after.size(), 1);
    const QString written = QFileInfo(after.first()).fileName();
    const QDateTime moment = QDateTime::fromString(written.left(15), stampFormat);
    QVERIFY2(moment.isValid() && written.mid(15, 6) == u"T1234P", qPrintable(written));
    if (moment > start.addSecs(3))
        QSKIP("the run started after the prepared names");
    // The moment's names were taken up to start + 7 s, so the run had to write later than that.
    QVERIFY2(written.mid(21, 15) > start.addSecs(7).toString(stampFormat), qPrintable(written));
    const QList<QVariantMap> ledger = fixture.ledgerRows();
    QCOMPARE(ledger.size(), 1);
    QCOMPARE(ledger[0].value(u"DOSYA"_s).toString(), fixture.filePath(after.first()));
}

// Temporary files of a killed run are removed from both client folders at the start of the next
// one; other files that merely look alike stay.
void TestExportEndToEnd::staleTemporaryFilesAreRemoved()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    const QStringList stale = {kPoliceFolder + u"/20260101_120000T5P20260101_120001.xml.tmp"_s,
                               kGendarmerieFolder + u"/20251231_235959T77J20260101_000002.xml.tmp"_s};
    const QStringList foreign = {kPoliceFolder + u"/notlar.tmp"_s, kPoliceFolder + u"/rapor.xml.tmp"_s,
                                 kGendarmerieFolder + u"/20260101_120000T5J20260101_120001.xml"_s};
    for (const QString &name : stale + foreign) {
        QFile file(fixture.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("yarim");
    }
    const RunResult run = fixture.run();
    verifyFinished(run, 0);
    QStringList expected = foreign;
    expected.sort();
    QCOMPARE(fixture.writtenFiles(), expected);
}

// One ledger row per active facility, written by the run after its files: the file's full path
// and the value of its hash line, the guests written and left out, the result, the reason, the
// day exported and the source "O" of a run on its own.
void TestExportEndToEnd::ledgerRowsMatchTheFiles()
{
    ExportFixture fixture;
    prepareWithFolders(fixture, true, false);
    const qint64 police = fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    Guest guest;
    guest.room = fixture.addRoom(police, u"101"_s);
    fixture.addGuest(guest);
    Guest second = guest;
    second.adi = u"Ece"_s;
    fixture.addGuest(second);
    const qint64 gendarmerie = fixture.addFacility(55, u"J"_s, u"Dağ Evi"_s);
    fixture.addFacility(66, u"P"_s, u"Kapalı Otel"_s, false);

    const RunResult run = fixture.run();
    verifyFinished(run, 2);
    const QList<QVariantMap> ledger = fixture.ledgerRows();
    QCOMPARE(ledger.size(), 2);
    const QStringList files = fixture.notificationFiles(kPoliceFolder);
    QCOMPARE(files.size(), 1);
    QFile written(fixture.filePath(files.first()));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray hashLine = written.readAll().split('\n').value(1);

    const QVariantMap &good = ledger[0];
    QCOMPARE(good.value(u"_IDTESISLER"_s), QVariant(police));
    QCOMPARE(good.value(u"TESISKODU"_s), QVariant(qint64(1234)));
    QCOMPARE(good.value(u"TESISBOLGE"_s), QVariant(u"P"_s));
    QCOMPARE(good.value(u"DOSYA"_s).toString(), fixture.filePath(files.first()));
    QCOMPARE(QByteArray("<?hash " + good.value(u"MD5"_s).toString().toLatin1() + "?>\r"), hashLine);
    QCOMPARE(good.value(u"KISISAYISI"_s), QVariant(qint64(2)));
    QCOMPARE(good.value(u"EKSIKSAYISI"_s), QVariant(qint64(0)));
    QCOMPARE(good.value(u"SONUC"_s), QVariant(qint64(1)));
    QVERIFY(good.value(u"ACIKLAMA"_s).isNull());
    QCOMPARE(good.value(u"KAYNAK"_s), QVariant(u"O"_s));
    QCOMPARE(good.value(u"GUN"_s).toString(), run.started.date().toString(Qt::ISODate));
    const QDateTime ranAt = QDateTime::fromString(good.value(u"TARIH"_s).toString(), u"yyyy-MM-dd HH:mm:ss.zzz"_s);
    QVERIFY2(ranAt >= run.started.addSecs(-1) && ranAt <= run.ended, qPrintable(good.value(u"TARIH"_s).toString()));

    const QVariantMap &missing = ledger[1];
    QCOMPARE(missing.value(u"_IDTESISLER"_s), QVariant(gendarmerie));
    QVERIFY(missing.value(u"DOSYA"_s).isNull());
    QVERIFY(missing.value(u"MD5"_s).isNull());
    QCOMPARE(missing.value(u"SONUC"_s), QVariant(qint64(0)));
    QCOMPARE(missing.value(u"KISISAYISI"_s), QVariant(qint64(0)));
    QCOMPARE(missing.value(u"ACIKLAMA"_s), QVariant(u"Dağ Evi: JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s));
    QCOMPARE(missing.value(u"TARIH"_s), good.value(u"TARIH"_s));
}

// The start-up seeds the settings row again when it is missing; a trigger that swallows that
// insert is the only way to start the export without it.
void TestExportEndToEnd::missingSettingsRowEndsRun()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    {
        e2e::SqlFile db(fixture.databasePath());
        QCOMPARE(db.script(u"CREATE TRIGGER AYAR_YOK BEFORE INSERT ON AYAR BEGIN SELECT RAISE(IGNORE); END;"
                           "DELETE FROM AYAR;"_s),
                 QString());
    }
    const RunResult run = fixture.run();
    verifyFinished(run, 1);
    QCOMPARE(run.messages, QStringList{u"Selvane: Ayar satiri bulunamadi."_s});
    QCOMPARE(fixture.writtenFiles(), QStringList());
}

// The database stays with the process that holds it; a second one fails at once with the
// engine's text instead of waiting, and writes nothing.
void TestExportEndToEnd::lockedDatabaseEndsRunAtOnce()
{
    ExportFixture fixture;
    prepareWithFolders(fixture);
    fixture.addFacility(1234, u"P"_s, u"Otel Deniz"_s);
    RunResult run;
    {
        e2e::SqlFile holder(fixture.databasePath());
        QCOMPARE(holder.script(u"PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;"_s), QString());
        run = fixture.run();
        holder.script(u"COMMIT;"_s);
    }
    verifyFinished(run, 1);
    QVERIFY2(run.elapsedMs < 10000, qPrintable(QString::number(run.elapsedMs)));
    // The data module reports the failed start-up, then the export ends the run with the same
    // error from its own access to the database.
    QVERIFY2(!run.messages.isEmpty(), qPrintable(run.standardError));
    for (const QString &line : run.messages)
        QCOMPARE(line, u"Selvane: Kayıt dosyası başka bir program tarafından kullanılıyor (database is locked)"_s);
    QCOMPARE(fixture.writtenFiles(), QStringList());
}

// A qrt.db that is not a database ends the run with the engine's text, without a crash and
// without touching the file.
void TestExportEndToEnd::fileThatIsNoDatabaseEndsRun()
{
    ExportFixture fixture;
    const QByteArray content(4096, 'x');
    {
        QFile file(fixture.databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        // Owner-only like a register the program made, so the run has nothing to say about its modes.
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    const RunResult run = fixture.run();
    verifyFinished(run, 1);
    QVERIFY2(!run.messages.isEmpty(), qPrintable(run.standardError));
    for (const QString &line : run.messages)
        QCOMPARE(line, u"Selvane: Kayıt dosyası bir veritabanı değil ya da bozuk (file is not a database)"_s);
    QFile file(fixture.databasePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
    QCOMPARE(fixture.writtenFiles(), QStringList());
}

QTEST_GUILESS_MAIN(TestExportEndToEnd)
#include "tst_export_e2e.moc"
