// The sample-data generator: valid identity numbers, the exact number of guests present on the
// chosen day, stored forms the program can read, the same rows for the same seed, and no file
// overwritten by accident. The generator runs as the program selvane-gen, as a developer runs it.
#include "TestSupport.h"
#include "TcNumber.h"

#include "SqliteProbe.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {

const QString kToday = QStringLiteral("2026-12-10");

// The condition the export uses for "present on :tarih".
const QString kPresentOnDay = QStringLiteral(
    "SELECT count(*) FROM MISAFIR WHERE (:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) "
    "OR GELISTARIH=:tarih");

struct GeneratorRun {
    int exitCode = -1;
    QString errorOutput;
};

GeneratorRun runGenerator(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("SELVANE_GEN"), arguments);
    GeneratorRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        run.errorOutput = process.errorString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.errorOutput = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList sizeArguments(const QString &out, int stays, int present, int seed)
{
    return {"--out", out, "--facilities", "2", "--rooms-per-facility", "10", "--stays", QString::number(stays),
            "--present", QString::number(present), "--today", kToday, "--seed", QString::number(seed)};
}

// All rows of the tables the generator fills, in id order, folded into one digest.
QByteArray contentDigest(const QString &file)
{
    SqliteProbe db(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const char *table : {"TESISLER", "ODAEV", "MISAFIR"})
        for (const QStringList &row : db.rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table))))
            hash.addData(row.join(u'\x1f').toUtf8() + '\n');
    return hash.result();
}

} // namespace

class TestSampleGenerator : public QObject {
    Q_OBJECT

private:
    testsupport::ScopedWorkDir m_workDir;
    QString m_sample; // one mid-sized file that the content checks share

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(qEnvironmentVariable("SELVANE_GEN")).isExecutable(), "SELVANE_GEN must name selvane-gen");
        m_sample = m_workDir.filePath(QStringLiteral("sample.db"));
        const GeneratorRun run = runGenerator(sizeArguments(m_sample, 3000, 120, 7));
        QVERIFY2(run.exitCode == 0, qPrintable(run.errorOutput));
    }

    void checkDigits_data()
    {
        QTest::addColumn<QList<int>>("firstNine");
        QTest::addColumn<int>("tenth");
        QTest::addColumn<int>("eleventh");
        QTest::newRow("worked example") << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 1} << 4 << 6;
        QTest::newRow("all nines") << QList<int>{9, 9, 9, 9, 9, 9, 9, 9, 9} << 9 << 0;
        // 7 x 1 - 36 = -29: the remainder is taken as 1, not -9
        QTest::newRow("negative difference") << QList<int>{1, 9, 0, 9, 0, 9, 0, 9, 0} << 1 << 8;
    }

    void checkDigits()
    {
        QFETCH(QList<int>, firstNine);
        QFETCH(int, tenth);
        QFETCH(int, eleventh);
        std::array<int, 9> digits{};
        std::copy(firstNine.cbegin(), firstNine.cend(), digits.begin());
        QCOMPARE(tcCheckDigits(digits), (std::array<int, 2>{tenth, eleventh}));
    }

    void numberCheck_data()
    {
        QTest::addColumn<quint64>("number");
        QTest::addColumn<bool>("passes");
        QTest::newRow("worked example") << quint64(10000000146) << true;
        QTest::newRow("negative difference") << quint64(19090909018) << true;
        QTest::newRow("wrong eleventh digit") << quint64(10000000147) << false;
        QTest::newRow("wrong tenth digit") << quint64(10000000156) << false;
        QTest::newRow("ten digits") << quint64(1000000014) << false;
        QTest::newRow("twelve digits") << quint64(100000001460) << false;
    }

    void numberCheck()
    {
        QFETCH(quint64, number);
        QFETCH(bool, passes);
        QCOMPARE(tcNumberPassesCheck(number), passes);
    }

    void presentCountIsExact_data()
    {
        QTest::addColumn<int>("stays");
        QTest::addColumn<int>("present");
        QTest::newRow("tiny") << 50 << 5;
        QTest::newRow("everyone present") << 5 << 5;
        QTest::newRow("nobody present") << 40 << 0;
        QTest::newRow("one past stay") << 1 << 0;
        QTest::newRow("empty") << 0 << 0;
    }

    void presentCountIsExact()
    {
        QFETCH(int, stays);
        QFETCH(int, present);
        const QString file = m_workDir.filePath(QStringLiteral("present-%1-%2.db").arg(stays).arg(present));
        const GeneratorRun run = runGenerator(sizeArguments(file, stays, present, 3));
        QVERIFY2(run.exitCode == 0, qPrintable(run.errorOutput));
        SqliteProbe db(file);
        QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM MISAFIR")), QString::number(stays));
        QCOMPARE(db.value(kPresentOnDay, {kToday}), QString::number(present));
    }

    void sampleHasEveryKindOfStay()
    {
        SqliteProbe db(m_sample);
        QCOMPARE(db.value(kPresentOnDay, {kToday}), QStringLiteral("120"));
        const QStringList kinds{
            "SELECT count(*) FROM MISAFIR WHERE AYRILISTARIH < :tarih",                  // left before today
            "SELECT count(*) FROM MISAFIR WHERE AYRILISTARIH = :tarih AND GELISTARIH < :tarih", // leaves today
            "SELECT count(*) FROM MISAFIR WHERE AYRILISTARIH IS NULL AND GELISTARIH <= :tarih", // open stay
            "SELECT count(*) FROM MISAFIR WHERE AYRILISTARIH > :tarih AND GELISTARIH <= :tarih", // leaves later
            "SELECT count(*) FROM MISAFIR WHERE GELISTARIH = :tarih",                    // arrives today
            "SELECT count(*) FROM MISAFIR WHERE GELISTARIH > :tarih",                    // future
            "SELECT count(*) FROM MISAFIR WHERE GELISTARIH < DATE(:tarih, '-5 years')",  // long past
        };
        for (const QString &sql : kinds)
            QVERIFY2(db.value(sql, {kToday}).toInt() > 0, qPrintable(sql));
        // about 15% foreign guests, about 0.5% incomplete rows
        const int foreign = db.value(QStringLiteral("SELECT count(*) FROM MISAFIR WHERE UYRUGU<>'TC'")).toInt();
        QVERIFY2(foreign > 300 && foreign < 600, qPrintable(QString::number(foreign)));
        QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM MISAFIR WHERE GELISSAAT IS NULL OR BABAADI='' OR "
                                         "DOGUMTARIHI='' OR DOGUMYERI='' OR KIMLIKSERINO='' OR IKAMETADRESI='' OR "
                                         "(UYRUGU='TC' AND TCNO IS NULL) OR "
                                         "(AYRILISTARIH IS NOT NULL AND AYRILISSAAT IS NULL)")),
                 QStringLiteral("15"));
    }

    void citizensHaveValidNumbersAndForeignersNone()
    {
        SqliteProbe db(m_sample);
        const auto numbers = db.rows(QStringLiteral("SELECT TCNO FROM MISAFIR WHERE UYRUGU='TC' AND TCNO IS NOT NULL"));
        QVERIFY(numbers.size() > 2000);
        for (const QStringList &row : numbers)
            QVERIFY2(tcNumberPassesCheck(row.first().toULongLong()), qPrintable(row.first()));
        QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM MISAFIR WHERE UYRUGU='TC' AND "
                                         "(KIMLIKTURU<>'N' OR ANAADI IS NULL OR ANAADI='')")),
                 QStringLiteral("0"));
        QCOMPARE(db.value(QStringLiteral(
                     "SELECT count(*) FROM MISAFIR WHERE UYRUGU<>'TC' AND (KIMLIKTURU<>'P' OR TCNO IS NOT NULL OR "
                     "NUFUSKAYITIL IS NOT NULL OR NUFUSKAYITILCE IS NOT NULL OR NUFUSKAYITMAH IS NOT NULL OR "
                     "NUFUSCILT IS NOT NULL OR NUFUSAILESIRANO IS NOT NULL OR NUFUSSIRANO IS NOT NULL OR "
                     "UYRUGU NOT IN (SELECT UYRUKKODU FROM UYRUK))")),
                 QStringLiteral("0"));
    }

    void valuesAreInStoredForm()
    {
        SqliteProbe db(m_sample);
        const QString timeForm = QStringLiteral("'[0-2][0-9]:[0-5][0-9]:[0-5][0-9].[0-9][0-9][0-9]'");
        const QStringList faults{
            "date(GELISTARIH) IS NOT GELISTARIH",
            "AYRILISTARIH IS NOT NULL AND date(AYRILISTARIH) IS NOT AYRILISTARIH",
            "AYRILISTARIH < GELISTARIH",
            "DOGUMTARIHI<>'' AND (date(DOGUMTARIHI) IS NOT DOGUMTARIHI OR DOGUMTARIHI >= GELISTARIH)",
            "GELISSAAT NOT GLOB " + timeForm + " OR time(GELISSAAT) IS NOT substr(GELISSAAT, 1, 8)",
            "AYRILISSAAT NOT GLOB " + timeForm + " OR time(AYRILISSAAT) IS NOT substr(AYRILISSAAT, 1, 8)",
            "AYRILISTARIH = GELISTARIH AND AYRILISSAAT <= GELISSAAT",
            "CINSIYET NOT IN ('E','K') OR MEDENIDURUM NOT IN ('B','E')",
            "_IDODAEV NOT IN (SELECT IDODAEV FROM ODAEV)",
            "typeof(TCNO) NOT IN ('integer','null') OR typeof(NUFUSCILT) NOT IN ('integer','null')",
        };
        for (const QString &fault : faults)
            QVERIFY2(db.value("SELECT count(*) FROM MISAFIR WHERE " + fault) == u"0", qPrintable(fault));
        QCOMPARE(db.value(QStringLiteral("SELECT count(DISTINCT TESISKODU) || ' ' || group_concat(TESISBOLGE, '') || ' ' || "
                                         "min(TESISKODU > 0) || ' ' || sum(TESISAKTIF) FROM TESISLER")),
                 QStringLiteral("2 PJ 1 2"));
        QCOMPARE(db.value(QStringLiteral("SELECT group_concat(ODAEVNO, ',') FROM ODAEV WHERE _IDTESISLER=1")),
                 QStringLiteral("101,102,103,104,105,106,107,108,109,110"));
    }

    void sameSeedSameRows()
    {
        const QString again = m_workDir.filePath(QStringLiteral("again.db"));
        const QString otherSeed = m_workDir.filePath(QStringLiteral("other.db"));
        QCOMPARE(runGenerator(sizeArguments(again, 3000, 120, 7)).exitCode, 0);
        QCOMPARE(runGenerator(sizeArguments(otherSeed, 3000, 120, 8)).exitCode, 0);
        QCOMPARE(contentDigest(again), contentDigest(m_sample));
        QVERIFY(contentDigest(otherSeed) != contentDigest(m_sample));
    }

    void keepsAnExistingFileUnlessForced()
    {
        const QString file = m_workDir.filePath(QStringLiteral("kept.db"));
        QCOMPARE(runGenerator(sizeArguments(file, 20, 2, 1)).exitCode, 0);
        const QByteArray before = contentDigest(file);

        const GeneratorRun refused = runGenerator(sizeArguments(file, 30, 3, 2));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.errorOutput.contains(QStringLiteral("--force")), qPrintable(refused.errorOutput));
        QCOMPARE(contentDigest(file), before);

        QCOMPARE(runGenerator(sizeArguments(file, 30, 3, 2) << QStringLiteral("--force")).exitCode, 0);
        QCOMPARE(SqliteProbe(file).value(QStringLiteral("SELECT count(*) FROM MISAFIR")), QStringLiteral("30"));
    }

    void refusesImpossibleRequests_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString out = QStringLiteral("refused.db");
        QTest::newRow("more present than stays") << sizeArguments(out, 3, 4, 1) << "--present";
        QTest::newRow("bad day") << (QStringList{"--out", out, "--today", "2026-02-30"}) << "--today";
        QTest::newRow("negative stays") << (QStringList{"--out", out, "--stays", "-1"}) << "--stays";
        QTest::newRow("unknown region") << (QStringList{"--out", out, "--regions", "PX"}) << "--regions";
        QTest::newRow("too many inactive") << (QStringList{"--out", out, "--facilities", "2", "--inactive", "3"})
                                           << "--inactive";
        QTest::newRow("no output") << QStringList{} << "--out";
    }

    void refusesImpossibleRequests()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const GeneratorRun run = runGenerator(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errorOutput.contains(message), qPrintable(run.errorOutput));
        QVERIFY(!QFileInfo::exists(QStringLiteral("refused.db")));
    }
};

QTEST_GUILESS_MAIN(TestSampleGenerator)
#include "tst_samplegen.moc"
