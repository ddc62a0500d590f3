#include "controls/DbGrid.h"
#include "db/AppError.h"
#include "db/BooleanWords.h"
#include "db/Database.h"
#include "db/Field.h"
#include "db/Query.h"
#include "gen/FieldSetRoutines.h"
#include "gen/StandardFieldSets.h"
#include "gen/TDataTanimlari.h"

#include "TestSupport.h"

#include <QtTest>

namespace {

// Facilities, rooms and guests with the column declarations of the real schema, and one guest
// who arrived at 09:05 and left at 11:30.
struct GuestSchema {
    testsupport::ScopedWorkDir dir;
    Database db;

    GuestSchema()
    {
        db.open("qrt.db");
        db.executeScript(
            "CREATE TABLE TESISLER(IDTESISLER INTEGER PRIMARY KEY AUTOINCREMENT, TESISKODU INT NOT NULL,"
            " TESISBOLGE CHAR(1) NOT NULL, TESISADI VARCHAR(80) NOT NULL, TESISYETKILISI VARCHAR(80),"
            " TESISIL VARCHAR(80), TESISILCE VARCHAR(80), TESISTELEFON VARCHAR(80), TESISADRES VARCHAR(80),"
            " TESISAKTIF BOOLEAN DEFAULT 1);"
            "CREATE TABLE ODAEV(IDODAEV INTEGER PRIMARY KEY AUTOINCREMENT, _IDTESISLER INT NOT NULL,"
            " ODAEVNO VARCHAR(15), ODAEVACIKLAMA VARCHAR(80));"
            "CREATE TABLE MISAFIR(IDMISAFIR INTEGER PRIMARY KEY AUTOINCREMENT, _IDODAEV INT NOT NULL,"
            " KIMLIKTURU CHAR(1) NOT NULL, KIMLIKSERINO VARCHAR(20) NOT NULL, UYRUGU VARCHAR(5) NOT NULL,"
            " TCNO UNSIGNED BIGINT, ADI VARCHAR(80) NOT NULL, SOYADI VARCHAR(80) NOT NULL,"
            " BABAADI VARCHAR(80), ANAADI VARCHAR(80), CINSIYET CHAR(1) NOT NULL,"
            " MEDENIDURUM CHAR(1) NOT NULL, DOGUMYERI VARCHAR(80) NOT NULL, DOGUMTARIHI DATE NOT NULL,"
            " NUFUSKAYITIL VARCHAR(80), NUFUSKAYITILCE VARCHAR(80), NUFUSKAYITMAH VARCHAR(80),"
            " NUFUSCILT INT, NUFUSAILESIRANO INT, NUFUSSIRANO INT, IKAMETADRESI VARCHAR(255) NOT NULL,"
            " MESLEGI VARCHAR(80), GELISTARIH DATE NOT NULL, GELISSAAT TIME, AYRILISTARIH DATE,"
            " AYRILISSAAT TIME, ARACPLAKANO VARCHAR(20), NOTLAR VARCHAR(255));"
            "INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P','Otel Güneş');"
            "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO,ODAEVACIKLAMA) VALUES (1,'101','Deniz manzaralı');"
            "INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,TCNO,ADI,SOYADI,CINSIYET,"
            " MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,NUFUSCILT,IKAMETADRESI,GELISTARIH,GELISSAAT,"
            " AYRILISTARIH,AYRILISSAAT) VALUES (1,'T','A12','TC',10000000146,'Şule','Yıldız','K','E',"
            " 'İzmir','1980-02-29',1234,'Alsancak','2026-12-10','09:05:41.500','2026-12-12',"
            " '11:30:00.000');");
    }
};

const char *const kGuestSql =
    "SELECT *,ODAEV.ODAEVNO,ODAEV.ODAEVACIKLAMA,TESISLER.TESISADI FROM MISAFIR"
    " INNER JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV"
    " INNER JOIN TESISLER ON TESISLER.IDTESISLER=ODAEV._IDTESISLER";

struct EntryTexts {
    QString alanadi;
    QString etiket;
    QString goster;
    QString genislik;
};

Tmyfieldset setOf(std::initializer_list<EntryTexts> entries)
{
    Tmyfieldset fieldset;
    int index = 0;
    for (const EntryTexts &entry : entries) {
        fieldset.set(index, TFozellik::alanadi, entry.alanadi);
        fieldset.set(index, TFozellik::etiket, entry.etiket);
        fieldset.set(index, TFozellik::goster, entry.goster);
        fieldset.set(index, TFozellik::genislik, entry.genislik);
        ++index;
    }
    return fieldset;
}

QStringList fieldNamesOf(const Tmyfieldset &fieldset)
{
    QStringList names;
    for (int i = 0; i < Tmyfieldset::EntryCount && !fieldset.isEndOfSet(i); ++i)
        names << fieldset.alanadi(i);
    return names;
}

QStringList visibleTitles(const DbGrid &grid)
{
    QStringList titles;
    for (int column = 0; column < grid.model()->columnCount(); ++column) {
        if (!grid.isColumnHidden(column))
            titles << grid.model()->headerData(column, Qt::Horizontal).toString();
    }
    return titles;
}

QString cellText(const DbGrid &grid, int row, const QString &fieldName)
{
    const int column = grid.model()->columnOfField(fieldName);
    return grid.model()->data(grid.model()->index(row, column)).toString();
}

} // namespace

class TestFieldSets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::pinTurkishLocale();
        BooleanWords::setWords({"E", "Y", "Yes", "Evet", "1", "True"}, {"H", "N", "No", "Hayır", "0", "False"});
    }

    void valueCopiesAreIndependent()
    {
        Tmyfieldset original = setOf({{"ADI", "ADI", "1", "15"}});
        Tmyfieldset copy = original;
        copy.set(0, TFozellik::etiket, "AD");
        copy.copyEntry(1, copy, 0);
        QCOMPARE(original.etiket(0), QString("ADI"));
        QCOMPARE(copy.alanadi(1), QString("ADI"));
        QCOMPARE(copy.etiket(1), QString("AD"));
        fieldSetTemizle(copy);
        QVERIFY(copy == Tmyfieldset());
        QCOMPARE(original.alanadi(0), QString("ADI"));
        QVERIFY_THROWS_EXCEPTION(AppError, original.get(256, TFozellik::alanadi));
    }

    void lookupIgnoresAsciiCaseUpToTheEndOfTheSet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("small letters") << "adi" << 0;
        QTest::newRow("mixed letters") << "SoyAdi" << 1;
        QTest::newRow("behind a label-only entry") << "tcno" << 3;
        QTest::newRow("behind the end of the set") << "GIZLI" << -1;
        QTest::newRow("dotted capital I is no ASCII I") << "ADİ" << -1;
        QTest::newRow("missing") << "UYRUGU" << -1;
    }
    void lookupIgnoresAsciiCaseUpToTheEndOfTheSet()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        // index 2 has a label only and does not end the set; index 4 is empty and does.
        const Tmyfieldset fieldset = setOf({{"ADI", "", "", ""}, {"SOYADI", "", "", ""}, {"", "ARA", "", ""},
                                            {"TCNO", "", "", ""}, {"", "", "", ""}, {"GIZLI", "", "", ""}});
        QCOMPARE(TDataTanimlari::MyfieldAlanAdiIndexi(name, fieldset), index);
    }

    void registryKeepsItsOwnCopiesUnderExactNames()
    {
        TDataTanimlari registry;
        Tmyfieldset first = setOf({{"ADI", "ADI", "1", "15"}});
        registry.fieldSetEkle("MISAFIR", first);
        first.set(0, TFozellik::etiket, "changed after registering");
        registry.fieldSetEkle("MISAFIR", setOf({{"SOYADI", "SOYADI", "1", "15"}}));

        const Tmyfieldset marker = setOf({{"ONCEKI", "", "", ""}});
        Tmyfieldset fetched = marker;
        registry.fieldSetVer("misafir", fetched);
        QVERIFY(fetched == marker); // an unknown name leaves the out set as it was

        registry.fieldSetVer("MISAFIR", fetched);
        QCOMPARE(fieldNamesOf(fetched), QStringList{"SOYADI"}); // the second registration replaced the first
        fetched.set(0, TFozellik::etiket, "changed by a window");
        Tmyfieldset again;
        registry.fieldSetVer("MISAFIR", again);
        QCOMPARE(again.etiket(0), QString("SOYADI"));

        registry.fieldSetEkle("ODAEV", odaevFieldSet());
        registry.fieldSetSil("MISAFIR");
        QVERIFY(!registry.contains("MISAFIR"));
        QVERIFY(registry.contains("ODAEV"));
        registry.Temizle();
        QVERIFY(!registry.contains("ODAEV"));
    }

    void listSelectsAndOrdersEntries_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("commas") << "SOYADI,ADI" << QStringList{"SOYADI", "ADI"};
        QTest::newRow("blanks and letter case") << "soyadi  Adi" << QStringList{"SOYADI", "ADI"};
        QTest::newRow("unknown names skipped") << "YOK,TCNO,,ADI," << QStringList{"TCNO", "ADI"};
        QTest::newRow("quotes group an item") << "\"TCNO\" , \"ADI\"" << QStringList{"TCNO", "ADI"};
        QTest::newRow("quoted item with a blank is one name") << "\"ADI SOYADI\",TCNO" << QStringList{"TCNO"};
    }
    void listSelectsAndOrdersEntries()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, names);
        TDataTanimlari registry;
        Tmyfieldset stored = setOf({{"ADI", "AD", "1", "15"}, {"SOYADI", "SOYAD", "0", "12"}, {"TCNO", "TC", "1", "11"}});
        stored.set(1, TFozellik::sqlexp, "MISAFIR.SOYADI");
        registry.fieldSetEkle("MISAFIR", stored);

        Tmyfieldset fetched = setOf({{"X", "X", "1", "1"}, {"Y", "Y", "1", "1"}, {"Z", "Z", "1", "1"}});
        registry.fieldSetVer("MISAFIR", fetched, list);

        QCOMPARE(fieldNamesOf(fetched), names);
        Tmyfieldset expected;
        for (int i = 0; i < names.size(); ++i)
            expected.copyEntry(i, stored, TDataTanimlari::MyfieldAlanAdiIndexi(names[i], stored));
        QVERIFY(fetched == expected); // whole entries, everything behind them empty
    }

    void shownFieldListStopsAtTheFirstNamelessEntry()
    {
        TDataTanimlari registry;
        registry.fieldSetEkle("L", setOf({{"ADI", "", "1", ""}, {"SOYADI", "", "0", ""}, {"TCNO", "", "", ""},
                                          {"UYRUGU", "", "Evet", ""}, {"", "ARA", "1", ""}, {"NOTLAR", "", "1", ""}}));
        QCOMPARE(registry.GosterilenAlanListesiVer("L"), QString("ADI,UYRUGU"));
        QCOMPARE(registry.GosterilenAlanListesiVer("l"), QString());

        registry.fieldSetEkle("MISAFIR", misafirFieldSet());
        const QStringList shown = registry.GosterilenAlanListesiVer("MISAFIR").split(',');
        QCOMPARE(shown.size(), 27);
        QCOMPARE(shown.first(), QString("TESISADI"));
        QCOMPARE(shown.last(), QString("ARACPLAKANO"));

        registry.fieldSetEkle("BOZUK", setOf({{"ADI", "", "belki", ""}}));
        QVERIFY_THROWS_EXCEPTION(AppError, registry.GosterilenAlanListesiVer("BOZUK"));
    }

    void standardSetsEndWhereTheirTablesEnd()
    {
        const Tmyfieldset misafir = misafirFieldSet();
        QCOMPARE(fieldNamesOf(misafir).size(), 29);
        QStringList formatted;
        for (int i = 0; i < 29; ++i) {
            QVERIFY(misafir.editmaske(i).isEmpty());
            if (!misafir.dispformat(i).isEmpty())
                formatted << misafir.alanadi(i) + "=" + misafir.dispformat(i);
        }
        QCOMPARE(formatted, (QStringList{"GELISSAAT=hh:nn", "AYRILISSAAT=hh:nn"}));
        QCOMPARE(fieldNamesOf(odaevFieldSet()), (QStringList{"TESISADI", "ODAEVNO", "ODAEVACIKLAMA"}));
    }

    void applyingToFieldsWalksToTheEndOfTheSet()
    {
        GuestSchema schema;
        Query query(&schema.db);
        query.setSql(kGuestSql);
        alanlariOlustur(query);
        QVERIFY(!query.isOpen());
        query.fieldByName("ADI").setEditMask(">aaa");
        query.fieldByName("SOYADI").setDisplayLabel("SOYADI");

        Tmyfieldset fieldset = setOf({{"adi", "AD", "0", "20"}, {"YOK", "HIC", "1", "5"}, {"", "ARA", "", ""},
                                      {"NUFUSCILT", "", "", ""}, {"GELISSAAT", "", "", ""}, {"", "", "", ""},
                                      {"SOYADI", "SONRA", "0", "3"}});
        fieldset.set(0, TFozellik::defaultexp, "'Misafir'");
        fieldset.set(3, TFozellik::dispformat, "#,##0");
        fieldset.set(4, TFozellik::dispformat, "hh:nn");
        fieldSetAlanlaraUygula(query, fieldset);

        const Field &adi = query.fieldByName("ADI");
        QCOMPARE(adi.displayLabel(), QString("AD"));
        QVERIFY(!adi.isVisible());
        QCOMPARE(adi.displayWidth(), 20);
        QVERIFY(adi.editMask().isEmpty()); // an empty edit mask clears the old one
        QCOMPARE(adi.defaultExpression(), QString("'Misafir'"));
        QVERIFY(query.fieldByName("NUFUSCILT").isVisible()); // an empty goster leaves it as it was
        QCOMPARE(query.fieldByName("NUFUSCILT").displayFormat(), QString("#,##0"));
        QCOMPARE(query.fieldByName("GELISSAAT").displayFormat(), QString("hh:nn"));
        QCOMPARE(query.fieldByName("SOYADI").displayLabel(), QString("SOYADI")); // behind the end

        query.open();
        QCOMPARE(query.fieldByName("NUFUSCILT").displayText(), QString("1.234"));
        QCOMPARE(query.fieldByName("GELISSAAT").displayText(), QString("09:05"));
        QCOMPARE(adi.displayLabel(), QString("AD")); // settings made before opening stay in force
    }

    void unreadableTextsStopTheApplication_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("property");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("inGrid");
        QTest::addColumn<QString>("message");
        QTest::newRow("goster") << "ADI" << int(TFozellik::goster) << "x" << false
                                << "'x' is not a valid boolean value";
        QTest::newRow("genislik letter O") << "ADI" << int(TFozellik::genislik) << "1O" << false
                                           << "'1O' is not a valid integer value";
        QTest::newRow("genislik fraction") << "ADI" << int(TFozellik::genislik) << "12,5" << false
                                           << "'12,5' is not a valid integer value";
        QTest::newRow("dispformat on text") << "ADI" << int(TFozellik::dispformat) << "0.00" << false
                                            << "Invalid type conversion";
        QTest::newRow("dispformat on boolean") << "TESISAKTIF" << int(TFozellik::dispformat) << "0" << false
                                               << "Invalid type conversion";
        QTest::newRow("goster in grid") << "ADI" << int(TFozellik::goster) << "belki" << true
                                        << "'belki' is not a valid boolean value";
        QTest::newRow("usercanmodify in grid") << "ADI" << int(TFozellik::usercanmodify) << "olur" << true
                                               << "'olur' is not a valid boolean value";
    }
    void unreadableTextsStopTheApplication()
    {
        QFETCH(QString, field);
        QFETCH(int, property);
        QFETCH(QString, text);
        QFETCH(bool, inGrid);
        QFETCH(QString, message);
        GuestSchema schema;
        Query query(&schema.db);
        query.setSql(kGuestSql);
        alanlariOlustur(query);
        DbGrid grid;
        grid.setQuery(&query);
        grid.clearColumns();
        Tmyfieldset fieldset = setOf({{field, "", "1", ""}, {"SOYADI", "SOYAD", "1", ""}});
        fieldset.set(0, TFozellik(property), text);
        try {
            if (inGrid)
                fieldSetGrideUygula(grid, fieldset, query);
            else
                fieldSetAlanlaraUygula(query, fieldset);
            QFAIL("no error raised");
        } catch (const AppError &error) {
            QCOMPARE(error.originalText(), message);
        }
        QCOMPARE(query.fieldByName("SOYADI").displayLabel(), QString("SOYADI"));
        QCOMPARE(grid.model()->columnOfField("SOYADI"), -1);
    }

    void guestListShowsTheMisafirSet()
    {
        GuestSchema schema;
        TDataTanimlari registry;
        registry.fieldSetEkle("MISAFIR", misafirFieldSet());
        Query query(&schema.db);
        query.setSql(kGuestSql);
        DbGrid grid;
        grid.setQuery(&query);

        const Tmyfieldset kept = applyFieldSetFirstShow(registry, "MISAFIR", query, &grid);
        QVERIFY(kept == misafirFieldSet());
        query.open();
        grid.resize(1200, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QStringList expectedTitles{
            "TESIS ADI", "ODA/EV NO", "ADI", "SOYADI", "UYRUGU", "GELIS TARIH", "GELIS SAAT",
            "AYRILIS TARIH", "AYRILIS SAAT", "TC NO", "KIMLIK TURU", "KIMLIK SERINO", "BABAADI",
            "ANAADI", "DOGUM YERI", "DOGUM TARIHI", "NUFUS IL", "NUFUS ILCE", "NUFUS MAH",
            "NUFUS CILT", "AILE SIRANO", "NUFUS SIRANO", "CINSIYET", "MEDENI DURUM", "IKAMET ADRESI",
            "MESLEGI", "ARAC PLAKANO"};
        for (int pass = 0; pass < 2; ++pass) {
            QCOMPARE(grid.model()->columnCount(), 29);
            QCOMPARE(visibleTitles(grid), expectedTitles);
            QVERIFY(grid.isColumnHidden(27));
            QVERIFY(grid.isColumnHidden(28));
            QCOMPARE(grid.model()->headerData(27, Qt::Horizontal).toString(), QString("ODA/EV ACIKLAMA"));
            QCOMPARE(grid.model()->headerData(28, Qt::Horizontal).toString(), QString("ODA/EV"));
            QCOMPARE(cellText(grid, 0, "GELISSAAT"), QString("09:05"));
            QCOMPARE(cellText(grid, 0, "AYRILISSAAT"), QString("11:30"));
            QCOMPARE(cellText(grid, 0, "TESISADI"), QString("Otel Güneş"));
            QCOMPARE(grid.columnWidth(grid.model()->columnOfField("ADI")), grid.columnWidthForCharacters(15));
            QCOMPARE(grid.columnWidth(grid.model()->columnOfField("GELISSAAT")), grid.columnWidthForCharacters(6));
            QVERIFY(!query.fieldByName("NOTLAR").isVisible()); // fields the set does not name stay hidden
            QVERIFY(!query.fieldByName("IDMISAFIR").isVisible());
            QVERIFY(query.fieldByName("TCNO").isVisible());
            QCOMPARE(query.fieldByName("DOGUMTARIHI").displayLabel(), QString("DOGUM TARIHI"));
            query.close(); // the frame closes its query when left and reopens it when shown again
            query.open();
        }
    }

    void gridBuilderKeepsEntryOrderAndLooksAtEveryEntry()
    {
        GuestSchema schema;
        Query query(&schema.db);
        query.setSql(kGuestSql);
        alanlariOlustur(query);
        DbGrid grid;
        grid.setQuery(&query);
        grid.clearColumns();
        Tmyfieldset fieldset = setOf({{"ADI", "AD", "1", ""}, {"SOYADI", "SOYAD", "0", ""}, {"NOTLAR", "NOT", "", ""},
                                      {"TCNO", "", "1", ""}, {"YOK", "YOK", "1", ""}});
        fieldset.set(3, TFozellik::usercanmodify, "0");
        fieldset.set(0, TFozellik::usercanmodify, "1");
        fieldset.set(200, TFozellik::alanadi, "CINSIYET"); // far behind the end of the set
        fieldset.set(200, TFozellik::goster, "1");
        fieldSetGrideUygula(grid, fieldset, query);
        query.open();

        const QList<GridColumn> &columns = grid.model()->columns();
        QStringList fields;
        for (const GridColumn &column : columns)
            fields << column.fieldName;
        QCOMPARE(fields, (QStringList{"ADI", "SOYADI", "TCNO", "CINSIYET"}));
        QVERIFY(!grid.isColumnHidden(0));
        QVERIFY(grid.isColumnHidden(1)); // goster "0" keeps its place, hidden
        QCOMPARE(columns[2].title, QString()); // an empty label gives an empty title
        QVERIFY(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable);
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, 2)) & Qt::ItemIsEditable));
        QCOMPARE(columns[2].alignment & Qt::AlignRight, Qt::AlignRight); // the number field's alignment
        QCOMPARE(columns[2].titleAlignment, columns[2].alignment);
    }

    void unknownSetHidesEverything()
    {
        GuestSchema schema;
        TDataTanimlari registry;
        registry.fieldSetEkle("MISAFIR", misafirFieldSet());
        Query query(&schema.db);
        query.setSql(kGuestSql);
        DbGrid grid;
        grid.setQuery(&query);
        grid.addColumn({"ADI", "ADI", true, false, Qt::AlignLeft, Qt::AlignLeft});

        const Tmyfieldset kept = applyFieldSetFirstShow(registry, "Misafir", query, &grid);
        QVERIFY(kept == Tmyfieldset());
        QCOMPARE(grid.model()->columnCount(), 0);
        for (int i = 0; i < query.fieldCount(); ++i)
            QVERIFY(!query.field(i)->isVisible());
    }

    void roomPickerFieldsFromTheOdaevSet()
    {
        GuestSchema schema;
        TDataTanimlari registry;
        registry.fieldSetEkle("ODAEV", odaevFieldSet());
        Query rooms(&schema.db);
        rooms.setSql("SELECT * FROM ODAEV LEFT JOIN TESISLER ON ODAEV._IDTESISLER=TESISLER.IDTESISLER"
                     " ORDER BY TESISAKTIF,TESISADI,ODAEVNO");
        applyFieldSetFirstShow(registry, "ODAEV", rooms, nullptr);
        QStringList visible;
        for (int i = 0; i < rooms.fieldCount(); ++i) {
            if (rooms.field(i)->isVisible())
                visible << rooms.field(i)->displayLabel() + "/" + QString::number(rooms.field(i)->displayWidth());
        }
        QCOMPARE(visible, (QStringList{"ODA/EV NO/10", "ODA/EV ACIKLAMA/15", "TESIS ADI/10"}));
    }
};

QTEST_MAIN(TestFieldSets)
#include "tst_fieldsets.moc"
