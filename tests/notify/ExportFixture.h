#pragma once
// Runs the built program in the unattended mode on a database prepared in a fresh working
// directory, and reads back what it wrote: exit status, its lines on standard error, the files.
#include "TestSupport.h"

#include <QByteArrayList>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QVariant>
#include <QtTest>

#include <sqlite3.h>

#include <functional>
#include <memory>

namespace e2e {

// One run of the program as the test saw it from outside.
struct RunResult {
    bool finished = false;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QStringList lines; // the program's own lines on standard error ("Selvane: ...")
    QStringList messages; // those lines without the closing summary
    QString summary;      // the closing "Selvane: Özet: ..." line, empty when there is none
    QString standardError;
    QDateTime started;  // just before the start, to the millisecond
    QDateTime ended;
    qint64 elapsedMs = 0;
};

// A direct connection to qrt.db with no part of the program in between. The program holds its
// file exclusively while it runs, so the connection must be closed (destroyed) before a run.
class SqlFile {
public:
    explicit SqlFile(const QString &fileName)
    {
        sqlite3 *handle = nullptr;
        const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
        m_db.reset(handle);
        if (rc != SQLITE_OK)
            m_error = QString::fromUtf8(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc));
    }

    QString error() const { return m_error; }
    sqlite3 *handle() const { return m_db.get(); }

    // Runs one statement with positional parameters; a null QVariant binds NULL, integers bind
    // as integers, everything else as UTF-8 text. Returns the engine's message, empty on success.
    QString exec(const QString &sql, const QVariantList &parameters = {})
    {
        if (!m_error.isEmpty())
            return m_error;
        sqlite3_stmt *raw = nullptr;
        if (sqlite3_prepare_v2(handle(), sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(handle()));
        std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
        for (int i = 0; i < parameters.size(); ++i)
            bind(raw, i + 1, parameters[i]);
        while (true) {
            const int rc = sqlite3_step(raw);
            if (rc == SQLITE_DONE)
                return {};
            if (rc != SQLITE_ROW)
                return QString::fromUtf8(sqlite3_errmsg(handle()));
        }
    }

    // Several statements without parameters.
    QString script(const QString &sql)
    {
        char *message = nullptr;
        const int rc = sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, &message);
        const QString text = rc == SQLITE_OK ? QString() : QString::fromUtf8(message);
        sqlite3_free(message);
        return text;
    }

    qint64 lastId() const { return sqlite3_last_insert_rowid(handle()); }

private:
    static void bind(sqlite3_stmt *statement, int index, const QVariant &value)
    {
        if (value.isNull()) {
            sqlite3_bind_null(statement, index);
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(statement, index, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
    }

    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> m_db{nullptr, &sqlite3_close};
    QString m_error;
};

// A guest stay as stored in MISAFIR. Every column the notification carries has a plain ASCII
// value by default, so the expected document can be written from the row itself.
struct Guest {
    qint64 id = 0; // 0: the engine chooses
    qint64 room = 0;
    QString kimlikTuru = QStringLiteral("N");
    QString kimlikSeriNo = QStringLiteral("A12B34567");
    QString uyrugu = QStringLiteral("TC");
    QVariant tcno = qint64(10000000146);
    QString adi = QStringLiteral("Ahmet");
    QString soyadi = QStringLiteral("Kaya");
    QVariant babaAdi = QStringLiteral("Mehmet");
    QVariant anaAdi = QStringLiteral("Fatma");
    QString cinsiyet = QStringLiteral("E");
    QString medeniDurum = QStringLiteral("B");
    QString dogumYeri = QStringLiteral("Ankara");
    QString dogumTarihi = QStringLiteral("1980-05-17");
    QVariant nufusIl = QStringLiteral("Ankara");
    QVariant nufusIlce = QStringLiteral("Cankaya");
    QVariant nufusMahalle = QStringLiteral("Kizilay");
    QVariant nufusCilt = 12;
    QVariant nufusAileSira = 34;
    QVariant nufusSira = 56;
    QString ikametAdresi = QStringLiteral("Ataturk Bulvari No:1 Ankara");
    QVariant meslegi = QStringLiteral("Muhendis");
    QString gelisTarih = QDate::currentDate().toString(Qt::ISODate);
    QVariant gelisSaat = QStringLiteral("14:30:00.000");
    QVariant ayrilisTarih;
    QVariant ayrilisSaat;
    QVariant aracPlakaNo = QStringLiteral("06 ABC 123");
};

inline QString dayText(int offsetFromToday)
{
    return QDate::currentDate().addDays(offsetFromToday).toString(Qt::ISODate);
}

// One stored value as the file is expected to carry it: NULL is empty. Only plain values may
// be written this way; anything with markup or non-ASCII letters is spelled out by the test.
inline QByteArray plainText(const QVariant &value)
{
    if (value.isNull())
        return {};
    const QString text = value.toString();
    static const QRegularExpression plain(QStringLiteral("^[ -~]*$"));
    if (!plain.match(text).hasMatch() || text.contains(u'&') || text.contains(u'<') || text.contains(u'"'))
        return "<value needs an explicit expectation: " + text.toUtf8() + ">";
    return text.toLatin1();
}

// The Kisi element expected for guest at position siraNo. `written` replaces the bytes of single
// attributes whose expected form the test spells out (escapes, encoding, substituted dates).
inline QByteArray expectedKisi(const Guest &guest, int siraNo, const QVariant &odaNo,
                               const QMap<QByteArray, QByteArray> &written = {})
{
    const QList<QPair<QByteArray, QByteArray>> attributes = {
        {"SiraNo", QByteArray::number(siraNo)},
        {"TCKimlikNo", plainText(guest.tcno)},
        {"Adi", plainText(guest.adi)},
        {"Soyadi", plainText(guest.soyadi)},
        {"BabaAdi", plainText(guest.babaAdi)},
        {"AnaAdi", plainText(guest.anaAdi)},
        {"DogumYeri", plainText(guest.dogumYeri)},
        {"DogumTarihi", plainText(guest.dogumTarihi)},
        {"Uyrugu", plainText(guest.uyrugu)},
        {"KimlikBelgesiTuru", plainText(guest.kimlikTuru)},
        {"KimlikSeriNo", plainText(guest.kimlikSeriNo)},
        {"NufusaKayitliOlduguIl", plainText(guest.nufusIl)},
        {"NufusaKayitliOlduguIlce", plainText(guest.nufusIlce)},
        {"NufusaKayitliOlduguMahalle", plainText(guest.nufusMahalle)},
        {"NufusCilt", plainText(guest.nufusCilt)},
        {"NufusAileSira", plainText(guest.nufusAileSira)},
        {"NufusSiraNo", plainText(guest.nufusSira)},
        {"Cinsiyet", plainText(guest.cinsiyet)},
        {"MedeniHali", plainText(guest.medeniDurum)},
        {"Isi", plainText(guest.meslegi)},
        {"IkametAdresi", plainText(guest.ikametAdresi)},
        {"GelisTarihi", plainText(guest.gelisTarih + u' ' + guest.gelisSaat.toString().left(8))},
        {"AyrilisTarihi", QByteArray()}, // never filled, whatever the departure
        {"VerilenOdaNo", plainText(odaNo)},
        {"AracPlakaNo", plainText(guest.aracPlakaNo)},
    };
    QByteArray element = "<Kisi";
    for (const auto &[name, value] : attributes)
        element += ' ' + name + "=\"" + written.value(name, value) + '"';
    return element + "/>";
}

// Line 3 of a notification file: the Konaklama element with its persons.
inline QByteArray expectedKonaklama(qint64 code, const QString &tarih, const QByteArrayList &kisiler)
{
    QByteArray root = "<Konaklama TesisKodu=\"" + QByteArray::number(code) + "\" Tarih=\"" + tarih.toLatin1()
        + "\" GonderenProgram=\"Morvanta Selvane\" GonderenProgramVersiyon=\"1.0\"";
    if (kisiler.isEmpty())
        return root + "/>";
    return root + '>' + kisiler.join() + "</Konaklama>";
}

// The parts of a notification file after its layout has been checked.
struct NotificationFile {
    QString tarih;       // the run's moment, "yyyy-MM-dd HH:mm:ss", taken from the first stamp
    QByteArray document; // line 3
};

class ExportFixture {
public:
    ExportFixture() = default;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const { return filePath(QStringLiteral("qrt.db")); }

    QString makeFolder(const QString &name) const
    {
        QDir(path()).mkpath(name);
        return filePath(name);
    }

    // Runs the program in the working directory with no display reachable: no DISPLAY, no
    // WAYLAND_DISPLAY and no QT_QPA_PLATFORM, so it has to choose a platform by itself.
    RunResult run(const QStringList &arguments = {QStringLiteral("-otokaydet")},
                  const std::function<void(QProcessEnvironment &)> &adjustEnvironment = {},
                  const std::function<void()> &childModifier = {}) const
    {
        RunResult result;
        const QString program = qEnvironmentVariable("SELVANE_BINARY");
        if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
            result.standardError = QStringLiteral("SELVANE_BINARY is not set to the built program");
            return result;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        if (adjustEnvironment)
            adjustEnvironment(environment);
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(path());
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        if (childModifier)
            process.setChildProcessModifier(childModifier);
        QElapsedTimer clock;
        result.started = QDateTime::currentDateTime();
        clock.start();
        process.start();
        result.finished = process.waitForFinished(30000);
        result.elapsedMs = clock.elapsed();
        result.ended = QDateTime::currentDateTime();
        if (!result.finished) {
            process.kill();
            process.waitForFinished();
        }
        result.exitStatus = process.exitStatus();
        result.exitCode = process.exitCode();
        result.standardError = QString::fromUtf8(process.readAllStandardError());
        for (const QString &line : result.standardError.split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1String("Selvane:")))
                result.lines << line;
        }
        result.messages = result.lines;
        if (!result.lines.isEmpty() && result.lines.last().startsWith(QStringLiteral("Selvane: Özet: ")))
            result.summary = result.messages.takeLast();
        return result;
    }

    // The first run on an empty directory creates the schema and the empty settings row, then
    // stops because no export folder is set.
    void createDatabase() const
    {
        const RunResult first = run();
        QVERIFY2(first.finished, qPrintable(first.standardError));
        QCOMPARE(first.exitCode, 1);
        QCOMPARE(first.messages, QStringList{QStringLiteral("Selvane: Ayar girişi eksik.")});
        QCOMPARE(first.summary, QStringLiteral("Selvane: Özet: bildirim yapılamadı, hiçbir dosya yazılmadı."));
        QVERIFY(QFileInfo(databasePath()).isFile());
    }

    void setFolders(const QVariant &police, const QVariant &gendarmerie) const
    {
        SqlFile db(databasePath());
        QCOMPARE(db.exec(QStringLiteral("UPDATE AYAR SET AKBXMLDIZIN=?, JKBXMLDIZIN=? WHERE IDAYAR=1"),
                         {police, gendarmerie}),
                 QString());
    }

    // Returns the new IDTESISLER, or 0 when the insert failed (the failure is recorded).
    qint64 addFacility(qint64 code, const QString &region, const QString &name, bool active = true) const
    {
        SqlFile db(databasePath());
        const QString error = db.exec(
            QStringLiteral("INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES (?,?,?,?)"),
            {code, region, name, active ? 1 : 0});
        if (!error.isEmpty()) {
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
            return 0;
        }
        return db.lastId();
    }

    qint64 addRoom(qint64 facility, const QVariant &number) const
    {
        SqlFile db(databasePath());
        const QString error = db.exec(QStringLiteral("INSERT INTO ODAEV (_IDTESISLER,ODAEVNO) VALUES (?,?)"),
                                      {facility, number});
        if (!error.isEmpty()) {
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
            return 0;
        }
        return db.lastId();
    }

    qint64 addGuest(const Guest &guest) const
    {
        SqlFile db(databasePath());
        const QString error = db.exec(
            QStringLiteral(
                "INSERT INTO MISAFIR (IDMISAFIR,_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,TCNO,ADI,SOYADI,"
                "BABAADI,ANAADI,CINSIYET,MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,NUFUSKAYITIL,NUFUSKAYITILCE,"
                "NUFUSKAYITMAH,NUFUSCILT,NUFUSAILESIRANO,NUFUSSIRANO,IKAMETADRESI,MESLEGI,GELISTARIH,"
                "GELISSAAT,AYRILISTARIH,AYRILISSAAT,ARACPLAKANO,NOTLAR) "
                "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {guest.id ? QVariant(guest.id) : QVariant(), guest.room, guest.kimlikTuru, guest.kimlikSeriNo,
             guest.uyrugu, guest.tcno, guest.adi, guest.soyadi, guest.babaAdi, guest.anaAdi, guest.cinsiyet,
             guest.medeniDurum, guest.dogumYeri, guest.dogumTarihi, guest.nufusIl, guest.nufusIlce,
             guest.nufusMahalle, guest.nufusCilt, guest.nufusAileSira, guest.nufusSira, guest.ikametAdresi,
             guest.meslegi, guest.gelisTarih, guest.gelisSaat, guest.ayrilisTarih, guest.ayrilisSaat,
             guest.aracPlakaNo, QStringLiteral("not")});
        if (!error.isEmpty()) {
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
            return 0;
        }
        return db.lastId();
    }

    // The ledger's rows in the order written, each as "COLUMN=value" texts (NULL as "NULL").
    QList<QVariantMap> ledgerRows() const
    {
        QList<QVariantMap> rows;
        SqlFile db(databasePath());
        sqlite3_stmt *raw = nullptr;
        if (sqlite3_prepare_v2(db.handle(), "SELECT * FROM BILDIRIMLER ORDER BY IDBILDIRIMLER", -1, &raw, nullptr)
            != SQLITE_OK) {
            QTest::qFail(sqlite3_errmsg(db.handle()), __FILE__, __LINE__);
            return rows;
        }
        std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
        while (sqlite3_step(raw) == SQLITE_ROW) {
            QVariantMap row;
            for (int column = 0; column < sqlite3_column_count(raw); ++column) {
                const QString name = QString::fromUtf8(sqlite3_column_name(raw, column));
                switch (sqlite3_column_type(raw, column)) {
                case SQLITE_NULL: row.insert(name, QVariant()); break;
                case SQLITE_INTEGER: row.insert(name, qint64(sqlite3_column_int64(raw, column))); break;
                case SQLITE_FLOAT: row.insert(name, sqlite3_column_double(raw, column)); break;
                default:
                    row.insert(name, QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(raw, column))));
                }
            }
            rows << row;
        }
        return rows;
    }

    // Every file below the working directory except the database, relative, sorted.
    QStringList writtenFiles() const
    {
        QStringList files;
        QDirIterator it(path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = QDir(path()).relativeFilePath(it.next());
            // The register and its daily copies are not what a run writes.
            if (!relative.startsWith(QLatin1String("qrt.db")) && !relative.startsWith(QLatin1String("yedek/")))
                files << relative;
        }
        files.sort();
        return files;
    }

    // The notification files directly inside folder (relative to the working directory).
    QStringList notificationFiles(const QString &folder) const
    {
        QStringList files;
        for (const QString &file : writtenFiles()) {
            if (QFileInfo(file).path() == folder)
                files << file;
        }
        return files;
    }

private:
    testsupport::ScopedWorkDir m_dir;
};

// Checks the name and the byte layout of one notification file written by run for the facility
// code and region, and hands back its moment and its document line.
inline void readNotificationFile(const QString &filePath, qint64 code, QChar region, const RunResult &run,
                                 NotificationFile *file)
{
    const QString name = QFileInfo(filePath).fileName();
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{8}_\\d{6})T(-?\\d+)([A-Z])(\\d{8}_\\d{6})\\.xml$"));
    const QRegularExpressionMatch match = pattern.match(name);
    QVERIFY2(match.hasMatch(), qPrintable(name));
    QCOMPARE(match.captured(2), QString::number(code));
    QCOMPARE(match.captured(3), QString(region));

    const QString stampFormat = QStringLiteral("yyyyMMdd_HHmmss");
    const QDateTime moment = QDateTime::fromString(match.captured(1), stampFormat);
    const QDateTime writing = QDateTime::fromString(match.captured(4), stampFormat);
    QVERIFY2(moment.isValid() && writing.isValid(), qPrintable(name));
    // The moment is the run's start, to the second; the file is written after it.
    const QDateTime startSecond = run.started.addMSecs(-run.started.time().msec());
    QVERIFY2(moment >= startSecond && moment <= run.ended, qPrintable(name));
    QVERIFY2(writing >= moment && writing <= run.ended, qPrintable(name));

    QFile handle(filePath);
    QVERIFY2(handle.open(QIODevice::ReadOnly), qPrintable(handle.errorString()));
    const QByteArray bytes = handle.readAll();
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>\r\n";
    QVERIFY2(bytes.startsWith(declaration), bytes.left(60).constData());
    const qsizetype hashEnd = bytes.indexOf("\r\n", declaration.size());
    QVERIFY(hashEnd > 0);
    const QByteArray hashLine = bytes.mid(declaration.size(), hashEnd - declaration.size());
    static const QRegularExpression hashPattern(QStringLiteral("^<\\?hash ([0-9A-F]{32})\\?>$"));
    const QRegularExpressionMatch hash = hashPattern.match(QString::fromLatin1(hashLine));
    QVERIFY2(hash.hasMatch(), hashLine.constData());
    const QByteArray document = bytes.mid(hashEnd + 2);
    QCOMPARE(QString::fromLatin1(QCryptographicHash::hash(document, QCryptographicHash::Md5).toHex().toUpper()),
             hash.captured(1));
    QVERIFY(!document.isEmpty());
    QCOMPARE(document.back(), '>');

    file->tarih = moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    file->document = document;
}

} // namespace e2e
