// The creation script builds qrt.db from nothing and repairs an existing file without touching the
// rows the user has. It is run here through the engine directly, the way the program runs it at
// every start.
#include "TestSupport.h"
#include "data/CreationScript.h"

#include "SqliteProbe.h"

#include <QFile>
#include <QStringDecoder>
#include <QtTest>

#include <memory>

namespace {

// The creation script as the program carries it, run on the probe's file.
QString runCreationScript(SqliteProbe &db)
{
    return db.exec(creationScriptText());
}

// The schema and every row of the seeded tables, in id order, as one comparable value. The
// engine's own id counters (sqlite_sequence) are left out: they move on every run.
QList<QStringList> snapshot(SqliteProbe &db)
{
    QList<QStringList> all;
    for (const char *sql : {"SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name",
                            "SELECT * FROM AYAR ORDER BY IDAYAR",
                            "SELECT * FROM KIMLIKTURU ORDER BY IDKIMLIKTURU",
                            "SELECT * FROM UYRUK ORDER BY IDUYRUK"})
        all << QStringList{QString::fromLatin1(sql)} << db.rows(QString::fromLatin1(sql));
    return all;
}

// Nationality codes in the order the script must insert them (ids 1 to 242).
const char *const kNationalityCodes =
    "TC KKTC AFG ALB DZA ASM AND AGO AIA ATA ATG ARG ARM ABW AUS AUT AZE BHS BHR BGD BRB BLR BEL BLZ "
    "BEN BMU BTN BOL BIH BWA BVT BRA IOT BRN BGR BFA BDI KHM CMR CAN CPV CYM CAF TCD CHL CHN CXR CCK "
    "COL COM COG COD COK CRI CIV HRV CUB CYP CZE DNK DJI DMA DOM ECU EGY SLV GNQ ERI EST ETH FRO FLK "
    "FJI FIN FRA GUF PYF ATF GAB GMB GEO DEU GHA GIB GRC GRL GRD GLP GUM GTM GBG GIN GNB GUY HTI HMD "
    "HND HKG HUN ISL IND IDN IRN IRQ IRL ISR ITA JAM JPN GBJ JOR KAZ KEN KIR PRK KOR KWT KGZ LAO LVA "
    "LBN LSO LBR LBY LIE LTU LUX MAC MKD MDG MWI MYS MDV MLI MLT MHL MTQ MRT MUS MYT MEX FSM MDA MCO "
    "MNG MSR MAR MOZ MMR NAM NRU NPL NLD ANT NCL NZL NIC NER NGA NIU NFK MNP NOR OMN PAK PLW PSE PAN "
    "PNG PRY PER PHL PCN POL PRT PRI QAT REU ROU RUS RWA SHN KNA LCA SPM VCT WSM SMR STP SAU SEN SCG "
    "SYC SLE SGP SVK SVN SLB SOM ZAF SGS ESP LKA SDN SUR SJM SWZ SWE CHE SYR TWN TJK TZA THA TLS TGO "
    "TKL TON TTO TUN TKM TCA TUV UGA UKR ARE GBR USA UMI URY UZB VUT VAT VEN VNM VGB VIR WLF ESH YEM "
    "ZMB ZIM";

} // namespace

class TestCreationScript : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScopedWorkDir> m_workDir;
    std::unique_ptr<SqliteProbe> m_db;

    // A new qrt.db in a fresh directory, built by one run of the script.
    void createFreshDatabase()
    {
        m_db.reset();
        m_workDir.reset(); // back to the previous directory before a new one is entered
        m_workDir = std::make_unique<testsupport::ScopedWorkDir>();
        m_db = std::make_unique<SqliteProbe>(QStringLiteral("qrt.db"));
        QCOMPARE(runCreationScript(*m_db), QString());
    }

    // An index on an expression names no column; its text is read from its definition.
    QString indexedExpression(const QString &index)
    {
        const QString sql = m_db->value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='%1'").arg(index));
        const qsizetype open = sql.indexOf(u'(');
        return sql.mid(open + 1, sql.lastIndexOf(u')') - open - 1);
    }

private slots:
    void init() { createFreshDatabase(); }
    void cleanup()
    {
        m_db.reset();
        m_workDir.reset();
    }

    void tableColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("columns");
        // name type, NOT NULL, DEFAULT and PRIMARY KEY as the engine reports them, in column order
        QTest::newRow("TESISLER") << "TESISLER"
            << "IDTESISLER INTEGER PK, TESISKODU INT NN, TESISBOLGE CHAR(1) NN, TESISADI VARCHAR(80) NN, "
               "TESISYETKILISI VARCHAR(80), TESISIL VARCHAR(80), TESISILCE VARCHAR(80), "
               "TESISTELEFON VARCHAR(80), TESISADRES VARCHAR(80), TESISAKTIF BOOLEAN =1";
        QTest::newRow("ODAEV") << "ODAEV"
            << "IDODAEV INTEGER PK, _IDTESISLER INT NN, ODAEVNO VARCHAR(15), ODAEVACIKLAMA VARCHAR(80)";
        QTest::newRow("MISAFIR") << "MISAFIR"
            << "IDMISAFIR INTEGER PK, _IDODAEV INT NN, KIMLIKTURU CHAR(1) NN, KIMLIKSERINO VARCHAR(20) NN, "
               "UYRUGU VARCHAR(5) NN, TCNO UNSIGNED BIGINT, ADI VARCHAR(80) NN, SOYADI VARCHAR(80) NN, "
               "BABAADI VARCHAR(80), ANAADI VARCHAR(80), CINSIYET CHAR(1) NN, MEDENIDURUM CHAR(1) NN, "
               "DOGUMYERI VARCHAR(80) NN, DOGUMTARIHI DATE NN, NUFUSKAYITIL VARCHAR(80), "
               "NUFUSKAYITILCE VARCHAR(80), NUFUSKAYITMAH VARCHAR(80), NUFUSCILT INT, NUFUSAILESIRANO INT, "
               "NUFUSSIRANO INT, IKAMETADRESI VARCHAR(255) NN, MESLEGI VARCHAR(80), GELISTARIH DATE NN, "
               "GELISSAAT TIME, AYRILISTARIH DATE, AYRILISSAAT TIME, ARACPLAKANO VARCHAR(20), "
               "NOTLAR VARCHAR(255)";
        QTest::newRow("UYRUK") << "UYRUK" << "IDUYRUK INTEGER PK, UYRUKADI VARCHAR(80), UYRUKKODU VARCHAR(5)";
        QTest::newRow("KIMLIKTURU") << "KIMLIKTURU"
            << "IDKIMLIKTURU INTEGER PK, KIMLIKTURUADI VARCHAR(45), KIMLIKTURUKODU CHAR(1)";
        QTest::newRow("AYAR") << "AYAR" << "IDAYAR INTEGER PK, AKBXMLDIZIN VARCHAR(255), JKBXMLDIZIN VARCHAR(255)";
        QTest::newRow("BILDIRIMLER") << "BILDIRIMLER"
            << "IDBILDIRIMLER INTEGER PK, TARIH DATETIME, GUN DATE, _IDTESISLER INT, TESISKODU INT, "
               "TESISBOLGE CHAR(1), DOSYA VARCHAR(255), KISISAYISI INT, EKSIKSAYISI INT, MD5 VARCHAR(32), "
               "SONUC BOOLEAN, ACIKLAMA VARCHAR(255), KAYNAK CHAR(1)";
        QTest::newRow("LOGLAR") << "LOGLAR"
            << "IDLOGLAR INTEGER PK, TARIH DATETIME NN, ISLEM VARCHAR(80) NN, ACIKLAMA VARCHAR(80), "
               "HATALI BOOLEAN";
        QTest::newRow("SILINENLER") << "SILINENLER"
            << "IDSILINENLER INTEGER PK, _IDMISAFIR INT, TARIH DATETIME, NEDEN CHAR(1)";
    }

    void tableColumns()
    {
        QFETCH(QString, table);
        QFETCH(QString, columns);
        QStringList described;
        // cid, name, type, notnull, dflt_value, pk
        for (const QStringList &c : m_db->rows(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
            QString column = c[1] + u' ' + c[2];
            if (c[5] != u"0")
                column += QStringLiteral(" PK");
            if (c[3] == u"1")
                column += QStringLiteral(" NN");
            if (c[4] != SqliteProbe::null)
                column += QStringLiteral(" =") + c[4];
            described << column;
        }
        QCOMPARE(described.join(QStringLiteral(", ")), columns);
    }

    void onlyTheKnownTablesAndAyarWithoutAutoincrement()
    {
        const auto tables = m_db->rows(QStringLiteral(
            "SELECT name, sql LIKE '%AUTOINCREMENT%' FROM sqlite_master WHERE type='table' "
            "AND name<>'sqlite_sequence' ORDER BY name"));
        const QList<QStringList> expected{{"AYAR", "0"},    {"BILDIRIMLER", "1"}, {"KIMLIKTURU", "1"}, {"LOGLAR", "1"},
                                          {"MISAFIR", "1"}, {"ODAEV", "1"},      {"SILINENLER", "1"}, {"TESISLER", "1"},
                                          {"UYRUK", "1"}};
        QCOMPARE(tables, expected);
        QCOMPARE(m_db->value(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type IN ('view','trigger')")),
                 QStringLiteral("0"));
    }

    void indexes()
    {
        QStringList described;
        const auto indexes = m_db->rows(QStringLiteral(
            "SELECT name, tbl_name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL ORDER BY name"));
        for (const QStringList &index : indexes) {
            const QString unique = m_db->value(
                QStringLiteral("SELECT \"unique\" FROM pragma_index_list('%1') WHERE name='%2'").arg(index[1], index[0]));
            QStringList columns;
            for (const QStringList &c : m_db->rows(QStringLiteral("PRAGMA index_info(%1)").arg(index[0])))
                columns << (c[2] == SqliteProbe::null ? indexedExpression(index[0]) : c[2]);
            described << QStringLiteral("%1 %2(%3)%4").arg(index[0], index[1], columns.join(u','),
                                                           unique == u"1" ? QStringLiteral(" unique") : QString());
        }
        QCOMPARE(described, (QStringList{"AYRILISTARIH_index MISAFIR(AYRILISTARIH)",
                                         "GELISTARIH_index MISAFIR(GELISTARIH)",
                                         "KIMLIKSERINO_index MISAFIR(KIMLIKSERINO)",
                                         "KIMLIKTURUKODU_index KIMLIKTURU(KIMLIKTURUKODU) unique",
                                         "TCNO_index MISAFIR(TCNO)",
                                         "UYRUKKODU_index UYRUK(UYRUKKODU) unique",
                                         "_IDODAEV_TARIH_index MISAFIR(_IDODAEV,GELISTARIH,AYRILISTARIH)",
                                         "_IDODAEV_index MISAFIR(_IDODAEV)"}));
    }

    void settingsAndDocumentTypesSeeded()
    {
        QCOMPARE(m_db->rows(QStringLiteral("SELECT * FROM AYAR")), (QList<QStringList>{{"1", SqliteProbe::null, SqliteProbe::null}}));
        const QList<QStringList> documentTypes{{"1", "Pasaport", "P"},
                                               {"2", "Avrupa Birliği Kimliği", "A"},
                                               {"3", "Nüfus Hüviyet Cüzdanı", "N"},
                                               {"4", "Ehliyet", "E"},
                                               {"5", "Diğer", "D"}};
        QCOMPARE(m_db->rows(QStringLiteral("SELECT * FROM KIMLIKTURU ORDER BY IDKIMLIKTURU")), documentTypes);
    }

    void nationalitiesSeededInOrder()
    {
        QCOMPARE(m_db->value(QStringLiteral("SELECT count(*) || ' ' || min(IDUYRUK) || ' ' || max(IDUYRUK) FROM UYRUK")),
                 QStringLiteral("242 1 242"));
        QStringList codes;
        for (const QStringList &row : m_db->rows(QStringLiteral("SELECT UYRUKKODU FROM UYRUK ORDER BY IDUYRUK")))
            codes << row.first();
        QCOMPARE(codes.join(u' '), QString::fromLatin1(kNationalityCodes));
    }

    void nationalityNames_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << "1" << "TC" << "TÜRKİYE";
        QTest::newRow("second") << "2" << "KKTC" << "KUZEY KIBRIS TURK CUMHURİYETİ";
        QTest::newRow("third") << "3" << "AFG" << "AFGHANISTAN";
        QTest::newRow("circumflex") << "55" << "CIV" << "CÔTE DIVOIRE (Ivory Coast)";
        QTest::newRow("mixed case") << "52" << "COD" << "CONGO - THE DEMOCRATIC REPUBLIC OF THE (formerly Zaire)";
        QTest::newRow("brackets") << "115" << "PRK" << "KOREA (Democratic Peoples Republic of [North] Korea)";
        QTest::newRow("umlaut") << "125" << "LIE" << "LIECHTENSTEIN (Fürstentum Liechtenstein)";
        QTest::newRow("cedilla") << "148" << "MOZ" << "MOZAMBIQUE (Moçambique)";
        QTest::newRow("acute") << "178" << "REU" << "RÉUNION";
        QTest::newRow("tilde") << "202" << "ESP" << "SPAIN (España)";
        QTest::newRow("british virgin") << "236" << "VGB" << "VIRGIN ISLANDS( BRITISH)";
        QTest::newRow("us virgin") << "237" << "VIR" << "VIRGIN ISLANDS( U.S.)";
        QTest::newRow("last") << "242" << "ZIM" << "ZIMBABWE";
    }

    void nationalityNames()
    {
        QFETCH(QString, id);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(m_db->rows(QStringLiteral("SELECT * FROM UYRUK WHERE IDUYRUK=%1").arg(id)),
                 (QList<QStringList>{{id, name, code}}));
    }

    void secondRunChangesNothing()
    {
        // a folder the user set must survive as well
        QCOMPARE(m_db->exec(QStringLiteral("UPDATE AYAR SET AKBXMLDIZIN='/srv/akbs'")), QString());
        const auto before = snapshot(*m_db);
        QCOMPARE(runCreationScript(*m_db), QString());
        QCOMPARE(snapshot(*m_db), before);
    }

    void repairsSeedRows_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("expected");
        // A seed row that comes back takes an id above every id the table ever handed out; the last
        // id is deleted so that a reused id would show. The engine also counts the ids of the seed
        // inserts it ignores, so the new id is not simply 243.
        QTest::newRow("deleted nationality gets a new id")
            << "DELETE FROM UYRUK WHERE UYRUKKODU='ZIM'"
            << "SELECT (SELECT count(*) FROM UYRUK) || '|' || (IDUYRUK > 242) || ':' || UYRUKADI FROM UYRUK "
               "WHERE UYRUKKODU='ZIM'"
            << "242|1:ZIMBABWE";
        QTest::newRow("changed code comes back as an extra row")
            << "UPDATE UYRUK SET UYRUKKODU='XDE' WHERE UYRUKKODU='DEU'"
            << "SELECT (SELECT count(*) FROM UYRUK) || '|' || group_concat(min(IDUYRUK, 243) || ':' || UYRUKKODU || ':' "
               "|| UYRUKADI, '|') FROM (SELECT * FROM UYRUK WHERE UYRUKADI LIKE 'GERMANY%' ORDER BY IDUYRUK)"
            << "243|82:XDE:GERMANY (Deutschland)|243:DEU:GERMANY (Deutschland)";
        QTest::newRow("changed name stays")
            << "UPDATE UYRUK SET UYRUKADI='TURKEY' WHERE UYRUKKODU='TC'"
            << "SELECT (SELECT count(*) FROM UYRUK) || '|' || group_concat(IDUYRUK || ':' || UYRUKADI, '|') FROM UYRUK "
               "WHERE UYRUKKODU='TC'"
            << "242|1:TURKEY";
        QTest::newRow("deleted document type gets a new id")
            << "DELETE FROM KIMLIKTURU WHERE KIMLIKTURUKODU='D'"
            << "SELECT (SELECT count(*) FROM KIMLIKTURU) || '|' || (IDKIMLIKTURU > 5) || ':' || KIMLIKTURUADI "
               "FROM KIMLIKTURU WHERE KIMLIKTURUKODU='D'"
            << "5|1:Diğer";
        QTest::newRow("deleted settings row comes back empty")
            << "UPDATE AYAR SET AKBXMLDIZIN='/a', JKBXMLDIZIN='/j'; DELETE FROM AYAR"
            << "SELECT count(*) || '|' || IDAYAR || '|' || quote(AKBXMLDIZIN) || '|' || quote(JKBXMLDIZIN) FROM AYAR"
            << "1|1|NULL|NULL";
        QTest::newRow("settings row under another id gets row 1 besides")
            << "UPDATE AYAR SET IDAYAR=2, AKBXMLDIZIN='/a'"
            << "SELECT group_concat(IDAYAR || ':' || quote(AKBXMLDIZIN), '|') FROM (SELECT * FROM AYAR ORDER BY IDAYAR)"
            << "1:NULL|2:'/a'";
    }

    void repairsSeedRows()
    {
        QFETCH(QString, change);
        QFETCH(QString, check);
        QFETCH(QString, expected);
        QCOMPARE(m_db->exec(change), QString());
        QCOMPARE(runCreationScript(*m_db), QString());
        QCOMPARE(m_db->value(check), expected);
    }

    void dropsNothingAndKeepsUserRows()
    {
        QCOMPARE(m_db->exec(QStringLiteral(
                     "INSERT INTO TESISLER (TESISKODU, TESISBOLGE, TESISADI) VALUES (1234, 'P', 'Otel');"
                     "DROP INDEX GELISTARIH_index; DROP TABLE LOGLAR; DROP TABLE BILDIRIMLER;")),
                 QString());
        QCOMPARE(runCreationScript(*m_db), QString());
        QCOMPARE(m_db->value(QStringLiteral("SELECT TESISKODU || TESISBOLGE || TESISADI || TESISAKTIF FROM TESISLER")),
                 QStringLiteral("1234POtel1"));
        QCOMPARE(m_db->value(QStringLiteral(
                     "SELECT count(*) FROM sqlite_master WHERE name IN ('GELISTARIH_index', 'LOGLAR', 'BILDIRIMLER')")),
                 QStringLiteral("3"));
        // The ledger of a register that has one keeps its rows.
        QCOMPARE(m_db->exec(QStringLiteral("INSERT INTO BILDIRIMLER (GUN, SONUC, KAYNAK) VALUES ('2026-12-10', 1, 'O')")),
                 QString());
        QCOMPARE(runCreationScript(*m_db), QString());
        QCOMPARE(m_db->value(QStringLiteral("SELECT GUN || SONUC || KAYNAK FROM BILDIRIMLER")),
                 QStringLiteral("2026-12-101O"));
    }

    void scriptIsUtf8WithCrLfAndOneComment()
    {
        QFile file(QString::fromLatin1(kCreationScriptResource));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QStringDecoder strict(QStringDecoder::Utf8);
        const QString text = strict.decode(bytes);
        QVERIFY(!strict.hasError());
        QCOMPARE(text, creationScriptText());

        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));

        QCOMPARE(bytes.count("--"), 1);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        const auto commented = std::find_if(lines.cbegin(), lines.cend(),
                                            [](const QString &l) { return l.contains(QStringLiteral("--")); });
        QVERIFY(commented->contains(QStringLiteral("TESISBOLGE CHAR(1) NOT NULL")));
        QVERIFY(commented->endsWith(QStringLiteral("--P POLIS J JND")));
        QCOMPARE(text.count(QStringLiteral("VACUUM;")), 1);
    }
};

QTEST_GUILESS_MAIN(TestCreationScript)
#include "tst_creationscript.moc"
