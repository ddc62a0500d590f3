#include "notify/XmlKaydet.h"

#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/Statement.h"
#include "gen/TransientMessage.h"
#include "notify/KonaklamaDocument.h"
#include "notify/NotificationDates.h"
#include "notify/NotificationFileWriter.h"
#include "notify/PresentGuestsByCode.h"
#include "transliteration/UnwritableCharacters.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include <map>
#include <string>
#include <string_view>

namespace {

const char *const kSettingsSql = "SELECT * FROM AYAR WHERE IDAYAR=1";

const char *const kFacilitySql =
    "SELECT TESISLER.*,COUNT(IDMISAFIR) AS SAY FROM TESISLER LEFT JOIN ODAEV ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER LEFT JOIN MISAFIR ON ODAEV.IDODAEV=MISAFIR._IDODAEV AND "
    "((:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih)  "
    "WHERE TESISLER.TESISAKTIF=1 GROUP BY IDTESISLER ";

// Reads the columns of a statement's current row by name, NULL as the empty text. Where two
// columns share a name, the later one is read. A name is looked up as it is given, without
// making a text of it: the export reads some thirty columns of every guest.
class RowReader {
public:
    explicit RowReader(const Statement &statement) : m_statement(statement)
    {
        for (int column = 0; column < statement.columnCount(); ++column)
            m_columns.insert_or_assign(statement.columnName(column).toUpper().toStdString(), column);
    }
    QVariant value(const char *name) const
    {
        const auto column = m_columns.find(std::string_view(name));
        if (column == m_columns.end())
            throw AppError(QStringLiteral("Field '%1' not found").arg(QLatin1String(name)));
        return m_statement.columnValue(column->second);
    }
    QString text(const char *name) const
    {
        const QVariant raw = value(name);
        return raw.isNull() ? QString() : raw.toString();
    }

private:
    const Statement &m_statement;
    std::map<std::string, int, std::less<>> m_columns;
};

Database &database()
{
    if (!dm1)
        throw AppError(QStringLiteral("Database is not open"));
    return *dm1->dbMain();
}

bool isUsableFolder(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

// Why the engine could not combine a guest's arrival.
QString arrivalFault(const RowReader &row)
{
    const QString day = row.text("GELISTARIH").trimmed();
    const QString time = row.text("GELISSAAT").trimmed();
    if (time.isEmpty())
        return QStringLiteral("geliş saati eksik");
    if (day.isEmpty())
        return QStringLiteral("geliş tarihi eksik");
    if (!QDate::fromString(day.left(10), QStringLiteral("yyyy-MM-dd")).isValid())
        return QStringLiteral("geliş tarihi okunamadı");
    return QStringLiteral("geliş saati okunamadı");
}

LeftOutGuest leftOutGuest(const RowReader &row, const QString &reason)
{
    const QString name = (row.text("ADI") + u' ' + row.text("SOYADI")).trimmed();
    return {row.text("TESISADI"), row.text("ODAEVNO"), name, reason};
}

void addGuest(IXMLKonaklamaJ &root, const RowReader &row, const QString &arrival, int position)
{
    IXMLKonaklamaJ_Kisi &kisi = root.Add();
    kisi.setSiraNo(QString::number(position));
    kisi.setTCKimlikNo(row.text("TCNO"));
    kisi.setAdi(row.text("ADI"));
    kisi.setSoyadi(row.text("SOYADI"));
    kisi.setBabaAdi(row.text("BABAADI"));
    kisi.setAnaAdi(row.text("ANAADI"));
    kisi.setDogumYeri(row.text("DOGUMYERI"));
    kisi.setDogumTarihi(NotificationDates::birthDate(row.text("DOGUMTARIHI")));
    kisi.setUyrugu(row.text("UYRUGU"));
    kisi.setKimlikBelgesiTuru(row.text("KIMLIKTURU"));
    kisi.setKimlikSeriNo(row.text("KIMLIKSERINO"));
    kisi.setNufusaKayitliOlduguIl(row.text("NUFUSKAYITIL"));
    kisi.setNufusaKayitliOlduguIlce(row.text("NUFUSKAYITILCE"));
    kisi.setNufusaKayitliOlduguMahalle(row.text("NUFUSKAYITMAH"));
    kisi.setNufusCilt(row.text("NUFUSCILT"));
    kisi.setNufusAileSira(row.text("NUFUSAILESIRANO"));
    kisi.setNufusSiraNo(row.text("NUFUSSIRANO"));
    kisi.setCinsiyet(row.text("CINSIYET"));
    kisi.setMedeniHali(row.text("MEDENIDURUM"));
    kisi.setIsi(row.text("MESLEGI"));
    kisi.setIkametAdresi(row.text("IKAMETADRESI"));
    kisi.setGelisTarihi(arrival);
    kisi.setAyrilisTarihi(QString());
    kisi.setVerilenOdaNo(row.text("ODAEVNO"));
    kisi.setAracPlakaNo(row.text("ARACPLAKANO"));
}

// Builds the facility's document from its present guests, leaving out (and recording) the ones
// whose arrival cannot be written; SiraNo counts the guests written.
std::unique_ptr<IXMLKonaklamaJ> buildDocument(qint64 tesisKodu, PresentGuests &guests, const QDateTime &moment,
                                              FacilityDelivery &delivery)
{
    const RowReader row(guests.start(tesisKodu));

    auto root = NewKonaklama();
    root->setTesisKodu(QString::number(tesisKodu));
    root->setTarih(moment.date().toString(QStringLiteral("yyyy-MM-dd")) + u' '
                   + moment.time().toString(QStringLiteral("HH:mm:ss")));
    root->setGonderenProgram(QStringLiteral("Morvanta Selvane"));
    root->setGonderenProgramVersiyon(QStringLiteral("1.0"));

    int position = 0;
    while (guests.next()) {
        const QString arrival = NotificationDates::arrival(row.text("GELISTARIHSAAT"));
        if (arrival.isEmpty()) {
            delivery.leftOut << leftOutGuest(row, arrivalFault(row));
            continue;
        }
        addGuest(*root, row, arrival, ++position);
        const QString notice = UnwritableCharacters::exportNotice(
            [&row](const QString &column) { return row.text(column.toLatin1().constData()); });
        if (!notice.isEmpty())
            delivery.unwritableNotices << delivery.facilityName + QStringLiteral(": ") + notice;
    }
    delivery.guestsWritten = position;
    return root;
}

void reportSkipped(FacilityDelivery &delivery, const char *reason)
{
    delivery.reason = delivery.facilityName + QString::fromUtf8(reason);
    mesajGoster(delivery.reason, QStringLiteral("tip=error,delay=2000"));
}

// Only a whole number above zero is a facility code; a fraction, a value beyond the integers,
// a text or a negative number is as good as none.
bool isFacilityCode(const QVariant &code)
{
    return code.typeId() == QMetaType::LongLong && code.toLongLong() > 0;
}

QString stamp(const QDateTime &moment)
{
    return moment.date().toString(QStringLiteral("yyyyMMdd")) + u'_' + moment.time().toString(QStringLiteral("HHmmss"));
}

// A name is never taken twice: when it exists, the next try says the file was written a second
// later. An hour of names is more than any folder will ever be short of.
constexpr int kLaterNames = 3600;

NotificationFileWriter::PathChooser pathChooser(const QString &folder, const QDateTime &moment, qint64 tesisKodu,
                                                const QString &bolge)
{
    const QString lead = folder + QDir::separator() + stamp(moment) + u'T' + QString::number(tesisKodu) + bolge;
    const QDateTime writing = QDateTime::currentDateTime();
    return [lead, writing](int attempt) {
        if (attempt > kLaterNames)
            return QString();
        return lead + stamp(writing.addSecs(attempt)) + QStringLiteral(".xml");
    };
}

void removeStaleTemporaryFiles(const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (!isUsableFolder(folder))
            continue;
        for (const QString &failure : NotificationFileWriter::removeStaleTemporaryFiles(folder))
            mesajGoster(failure, QStringLiteral("tip=warn,delay=2000"));
    }
}

FacilityDelivery facilityOf(const RowReader &row)
{
    FacilityDelivery delivery;
    delivery.facilityId = row.value("IDTESISLER").toLongLong();
    delivery.facilityName = row.text("TESISADI");
    delivery.code = row.value("TESISKODU");
    delivery.region = row.value("TESISBOLGE");
    return delivery;
}

void writeFacilityFile(qint64 tesisKodu, PresentGuests &guests, const NotificationFileWriter::PathChooser &pathAt,
                       const QDateTime &moment, FacilityDelivery &delivery, NotificationFileWriter::FolderFlush flush)
{
    QString failure;
    try {
        const auto root = buildDocument(tesisKodu, guests, moment, delivery);
        const NotificationFileWriter::WrittenFile file = NotificationFileWriter::write(pathAt, *root, flush);
        delivery.written = true;
        delivery.path = file.path;
        delivery.hash = file.hash;
    } catch (const AppError &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromUtf8(error.what());
    }
    if (!failure.isNull()) {
        // The file failed as a whole: nobody of this facility was notified by this run.
        delivery.written = false;
        delivery.reason = delivery.facilityName + QStringLiteral(": ") + failure;
        mesajGoster(delivery.reason, QString());
    }
    // One waiting window per guest would hold a run with forty incomplete stays for minutes; the
    // trace names each of them, and the run's summary (the export window's closing box, the
    // warning bar and the ledger) names them again.
    for (const QString &notice : std::as_const(delivery.unwritableNotices))
        writeMessageTrace(notice, QStringLiteral("tip=warn,delay=2000"));
    for (const LeftOutGuest &guest : std::as_const(delivery.leftOut))
        writeMessageTrace(guest.report(), QStringLiteral("tip=error,delay=2000"));
}

// The run moves its files into their folders without flushing a folder after each one; one flush
// of every folder that received a file makes them all last before the run reports any of them.
// Where a folder cannot be flushed, none of its files counts as written.
void flushFolders(ExportOutcome &outcome)
{
    QStringList folders;
    for (const FacilityDelivery &delivery : std::as_const(outcome.facilities)) {
        const QString folder = QFileInfo(delivery.path).absolutePath();
        if (delivery.written && !folders.contains(folder))
            folders << folder;
    }
    for (const QString &folder : std::as_const(folders)) {
        try {
            NotificationFileWriter::syncFolder(folder);
        } catch (const AppError &error) {
            for (FacilityDelivery &delivery : outcome.facilities) {
                if (!delivery.written || QFileInfo(delivery.path).absolutePath() != folder)
                    continue;
                delivery.written = false;
                delivery.reason = delivery.facilityName + QStringLiteral(": \"%1\" dosyası yazılamadı: %2")
                                                              .arg(QDir::toNativeSeparators(delivery.path), error.message());
                delivery.path.clear();
                delivery.hash.clear();
                mesajGoster(delivery.reason, QString());
            }
        }
    }
}

} // namespace

ExportOutcome XmlDosyalariKaydet(const QDateTime &moment, const PresentGuestsFinder &finder)
{
    ExportOutcome outcome;
    outcome.startedAt = QDateTime::currentDateTime();
    outcome.moment = moment;
    Database &db = database();
    QString policeFolder;
    QString gendarmerieFolder;
    {
        Statement settings(db, QString::fromLatin1(kSettingsSql));
        if (!settings.step())
            throw AppError(QStringLiteral("Ayar satiri bulunamadi."));
        const RowReader row(settings);
        policeFolder = row.text("AKBXMLDIZIN");
        gendarmerieFolder = row.text("JKBXMLDIZIN");
    }
    if (policeFolder.isEmpty() && gendarmerieFolder.isEmpty())
        throw AppError(QStringLiteral("Ayar girişi eksik."));
    removeStaleTemporaryFiles({policeFolder, gendarmerieFolder});

    const std::unique_ptr<PresentGuests> guests = finder ? finder(db, moment.date())
                                                         : std::make_unique<PresentGuestsByCode>(db, moment.date());
    Statement facilities(db, QString::fromLatin1(kFacilitySql));
    facilities.bind(QStringLiteral("tarih"), moment.date());
    const RowReader row(facilities);
    while (facilities.step()) {
        FacilityDelivery delivery = facilityOf(row);
        const QString bolge = delivery.region.isNull() ? QString() : delivery.region.toString();
        const bool police = bolge == QLatin1String("P");
        if (!isFacilityCode(delivery.code))
            reportSkipped(delivery, ": TESİS KODU EKSİK. İŞLENMEDİ.");
        else if (!police && bolge != QLatin1String("J"))
            reportSkipped(delivery, ": TESİS BÖLGESİ HATALI. İŞLENMEDİ.");
        else if (police && !isUsableFolder(policeFolder))
            reportSkipped(delivery, ": POLİS DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ.");
        else if (!police && !isUsableFolder(gendarmerieFolder))
            reportSkipped(delivery, ": JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ.");
        else {
            const qint64 tesisKodu = delivery.code.toLongLong();
            writeFacilityFile(tesisKodu, *guests,
                              pathChooser(police ? policeFolder : gendarmerieFolder, moment, tesisKodu, bolge), moment,
                              delivery, NotificationFileWriter::FolderFlush::ByCaller);
        }
        outcome.facilities << delivery;
    }
    flushFolders(outcome);
    outcome.ran = true;
    return outcome;
}

void TesisXmlKaydet(qint64 tesisKodu, PresentGuests &guests, const NotificationFileWriter::PathChooser &pathAt,
                    const QDateTime &moment, FacilityDelivery &delivery)
{
    writeFacilityFile(tesisKodu, guests, pathAt, moment, delivery, NotificationFileWriter::FolderFlush::EachFile);
}

void DizinAc(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
