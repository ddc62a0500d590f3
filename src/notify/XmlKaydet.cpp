#include "notify/XmlKaydet.h"

#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/Statement.h"
#include "gen/TransientMessage.h"
#include "notify/KonaklamaDocument.h"
#include "notify/NotificationFileWriter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QUrl>

namespace {

const char *const kSettingsSql = "SELECT * FROM AYAR WHERE IDAYAR=1";

const char *const kFacilitySql =
    "SELECT TESISLER.*,COUNT(IDMISAFIR) AS SAY FROM TESISLER LEFT JOIN ODAEV ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER LEFT JOIN MISAFIR ON ODAEV.IDODAEV=MISAFIR._IDODAEV AND "
    "((:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih)  "
    "WHERE TESISLER.TESISAKTIF=1 GROUP BY IDTESISLER ";

const char *const kGuestSql =
    "SELECT *,datetime(DATE(GELISTARIH), TIME(GELISSAAT)) AS GELISTARIHSAAT FROM MISAFIR INNER JOIN "
    "ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV INNER JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE TESISLER.TESISKODU=:tesiskodu AND "
    "TESISLER.TESISAKTIF=1 AND ((:tarih BETWEEN GELISTARIH AND "
    "COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih) GROUP BY IDMISAFIR ";

const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString kFileStampFormat = QStringLiteral("yyyyMMdd_HHmmss");

// Reads the columns of a statement's current row by name, NULL as the empty text.
class RowReader {
public:
    explicit RowReader(const Statement &statement) : m_statement(statement)
    {
        for (int column = 0; column < statement.columnCount(); ++column)
            m_columns.insert(statement.columnName(column).toUpper(), column);
    }
    QVariant value(const char *name) const
    {
        const auto column = m_columns.constFind(QString::fromLatin1(name));
        if (column == m_columns.constEnd())
            throw AppError(QStringLiteral("Field '%1' not found").arg(QLatin1String(name)));
        return m_statement.columnValue(column.value());
    }
    QString text(const char *name) const
    {
        const QVariant raw = value(name);
        return raw.isNull() ? QString() : raw.toString();
    }

private:
    const Statement &m_statement;
    QHash<QString, int> m_columns;
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

// A birth date that is empty or not a date is written as the day of writing.
QString birthDateText(const QString &stored)
{
    const QDate date = QDate::fromString(stored.left(10), QStringLiteral("yyyy-MM-dd"));
    return (date.isValid() && stored.size() >= 10 ? date : QDate::currentDate())
        .toString(QStringLiteral("yyyy-MM-dd"));
}

// The arrival as the engine combined it from date and time; without an arrival time there is
// nothing to convert and the facility's document fails.
QString arrivalText(const QString &combined)
{
    const QDateTime moment = QDateTime::fromString(combined, kDateTimeFormat);
    if (!moment.isValid())
        throw AppError(QStringLiteral("'%1' is not a valid date and time").arg(combined));
    return moment.toString(kDateTimeFormat);
}

void addGuest(IXMLKonaklamaJ &root, const RowReader &row, int position)
{
    IXMLKonaklamaJ_Kisi &kisi = root.Add();
    kisi.setSiraNo(QString::number(position));
    kisi.setTCKimlikNo(row.text("TCNO"));
    kisi.setAdi(row.text("ADI"));
    kisi.setSoyadi(row.text("SOYADI"));
    kisi.setBabaAdi(row.text("BABAADI"));
    kisi.setAnaAdi(row.text("ANAADI"));
    kisi.setDogumYeri(row.text("DOGUMYERI"));
    kisi.setDogumTarihi(birthDateText(row.text("DOGUMTARIHI")));
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
    kisi.setGelisTarihi(arrivalText(row.text("GELISTARIHSAAT")));
    kisi.setAyrilisTarihi(QString());
    kisi.setVerilenOdaNo(row.text("ODAEVNO"));
    kisi.setAracPlakaNo(row.text("ARACPLAKANO"));
}

void writeFacilityFile(qint64 tesisKodu, const QString &path, const QDateTime &moment)
{
    Statement guests(database(), QString::fromLatin1(kGuestSql));
    guests.bind(QStringLiteral("tarih"), moment.date());
    guests.bind(QStringLiteral("tesiskodu"), tesisKodu);

    const auto root = NewKonaklama();
    root->setTesisKodu(QString::number(tesisKodu));
    root->setTarih(moment.toString(kDateTimeFormat));
    root->setGonderenProgram(QStringLiteral("Morvanta Selvane"));
    root->setGonderenProgramVersiyon(QStringLiteral("1.0"));

    const RowReader row(guests);
    int position = 0;
    while (guests.step())
        addGuest(*root, row, ++position);
    NotificationFileWriter::write(path, *root);
}

void reportSkipped(const QString &facilityName, const char *reason)
{
    mesajGoster(facilityName + QString::fromUtf8(reason), QStringLiteral("tip=error,delay=2000"));
}

QString fileName(const QDateTime &moment, qint64 tesisKodu, const QString &bolge)
{
    return moment.toString(kFileStampFormat) + QLatin1Char('T') + QString::number(tesisKodu) + bolge
        + QDateTime::currentDateTime().toString(kFileStampFormat) + QStringLiteral(".xml");
}

} // namespace

void XmlDosyalariKaydet(const QDateTime &moment)
{
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

    Statement facilities(db, QString::fromLatin1(kFacilitySql));
    facilities.bind(QStringLiteral("tarih"), moment.date());
    const RowReader row(facilities);
    while (facilities.step()) {
        const QString name = row.text("TESISADI");
        const QVariant code = row.value("TESISKODU");
        const QString bolge = row.text("TESISBOLGE");
        if (code.isNull() || code.toLongLong() == 0) {
            reportSkipped(name, ": TESİS KODU EKSİK. İŞLENMEDİ.");
            continue;
        }
        if (bolge == QLatin1String("P") && !isUsableFolder(policeFolder)) {
            reportSkipped(name, ": POLİS DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ.");
            continue;
        }
        if (bolge == QLatin1String("J") && !isUsableFolder(gendarmerieFolder)) {
            reportSkipped(name, ": JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ.");
            continue;
        }
        const qint64 tesisKodu = code.toLongLong();
        QString path = fileName(moment, tesisKodu, bolge);
        if (bolge == QLatin1String("P"))
            path = policeFolder + QDir::separator() + path;
        else if (bolge == QLatin1String("J"))
            path = gendarmerieFolder + QDir::separator() + path;
        TesisXmlKaydet(tesisKodu, path, moment);
    }
}

void TesisXmlKaydet(qint64 tesisKodu, const QString &path, const QDateTime &moment)
{
    try {
        writeFacilityFile(tesisKodu, path, moment);
    } catch (const AppError &error) {
        mesajGoster(error.message(), QString());
    } catch (const std::exception &error) {
        mesajGoster(QString::fromUtf8(error.what()), QString());
    }
}

void DizinAc(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
