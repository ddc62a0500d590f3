// The filter bar's little language, its translation into SQL literals and conditions, the grid
// routine with the field set's expressions, and the change handler on the guest list's real
// statement over a database built by the creation script.
#include "TestSupport.h"
#include "data/CreationScript.h"
#include "db/AppError.h"
#include "db/BooleanWords.h"
#include "db/Database.h"
#include "db/Query.h"
#include "gen/GridFilter.h"
#include "gen/SqlLiteral.h"
#include "gen/TVrnFiltreMetniCozucu.h"
#include "gen/TVrnFiltreMetniCozucu2.h"

#include <QtTest>
#include <algorithm>

Q_DECLARE_METATYPE(FieldType)

namespace {

const char *kGuestListSql =
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\nWHERE (&staticfilter) AND (&filter)\nGROUP BY IDMISAFIR\nHAVING "
    "(&having)\nORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC";

QString conditionOfPart(const QString &fieldName, FieldType type, const QString &text)
{
    TVrnFiltreMetniCozucu part;
    part.fieldname = fieldName;
    part.fieldtype = type;
    part.filterval = text;
    part.coz();
    return part.sqlSarti();
}

QString conditionOfCell(const QString &fieldName, FieldType type, const QString &text)
{
    TVrnFiltreMetniCozucu2 cell;
    cell.fieldname = fieldName;
    cell.fieldtype = type;
    cell.filterval = text;
    cell.coz();
    return cell.sqlSarti();
}

// The engine's or conversion's own text of what the action throws.
QString conversionError(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &error) {
        return error.originalText();
    }
    return QString();
}

// Guests of a small register, the rooms they stay in and the facility, in a database built by
// the creation script; the query is the guest list's own statement with neutral macros.
struct GuestRegister {
    testsupport::ScopedWorkDir dir;
    Database db;
    Query query{&db};

    GuestRegister()
    {
        db.open("qrt.db");
        db.executeScript(creationScriptText());
        db.execute("INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P','Otel Çınar')");
        db.execute("INSERT INTO ODAEV (_IDTESISLER,ODAEVNO) VALUES (1,'101'),(1,'102')");
        addGuest("AHMET", "YILMAZ", 3, "2017-04-30", "E");
        addGuest("MEHMET", "ŞAHİN", 7, "2017-05-01", "E");
        addGuest("ALİ", "IŞIK", 12, "2017-05-15", "E");
        addGuest("Ali", "KAYA", 5, "2017-05-31", "E");
        addGuest("ALI", "SMITH", 10, "2016-12-31", "E");
        addGuest("O'NEIL", "PATRICK", QVariant(), "2017-06-01", "E");
        addGuest("ZEYNEP", "ÖZTÜRK", 10, "2017-06-02", "K");
        query.setSql(QString::fromUtf8(kGuestListSql));
        for (const char *macro : {"staticfilter", "filter", "having"})
            query.setMacro(macro, "1");
        query.open();
    }

    void addGuest(const QString &name, const QString &surname, const QVariant &volume, const QString &arrival,
                  const QString &sex)
    {
        db.execute("INSERT INTO MISAFIR (_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,"
                   "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,NUFUSCILT,GELISTARIH) VALUES "
                   "(1,'N','A1','TC',:adi,:soyadi,:cinsiyet,'B','ANKARA','1980-01-01','ANKARA',:cilt,:gelis)",
                   {{"adi", name}, {"soyadi", surname}, {"cinsiyet", sex}, {"cilt", volume}, {"gelis", arrival}});
    }

    // The filter bar as the grid hands it over: one column per named cell, typed from the query.
    QList<FilterColumn> columns(const QList<QPair<QString, QString>> &cells) const
    {
        QList<FilterColumn> list;
        for (const auto &[fieldName, text] : cells)
            list.append({fieldName, text, query.fieldByName(fieldName).type(), true});
        return list;
    }

    void filter(const QList<QPair<QString, QString>> &cells, const Tmyfieldset &fieldset = Tmyfieldset())
    {
        filtreDegisti(query, fieldset, columns(cells));
    }

    QStringList names()
    {
        QStringList list;
        for (query.first(); !query.isEof(); query.next())
            list << query.fieldByName("ADI").asString();
        std::sort(list.begin(), list.end());
        return list;
    }

    int guestCount() { return db.scalar("SELECT COUNT(*) FROM MISAFIR").toInt(); }
};

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

class TestGridFilter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::pinTurkishLocale();
        BooleanWords::setWords({"E", "Y", "Yes", "Evet", "1", "True"}, {"H", "N", "No", "Hayır", "0", "False"});
    }

    void partCondition_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<FieldType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("condition");

        const FieldType text = FieldType::String;
        const FieldType number = FieldType::Integer;
        const FieldType date = FieldType::Date;
        // The worked examples, with a quote doubled the SQLite way.
        QTest::newRow("contains") << "ADI" << text << "AHMET" << "ADI LIKE '%AHMET%'";
        QTest::newRow("dotted i") << "ADI" << text << "ali" << "(ADI LIKE '%ali%' OR ADI LIKE '%alİ%')";
        QTest::newRow("dotless i") << "SOYADI" << text << "Işık" << "(SOYADI LIKE '%Işık%' OR SOYADI LIKE '%IşIk%')";
        QTest::newRow("not contains") << "ADI" << text << "!AHMET" << "ADI NOT LIKE '%AHMET%'";
        QTest::newRow("own wildcard") << "ADI" << text << "A%" << "ADI LIKE 'A%'";
        QTest::newRow("equal text") << "ADI" << text << "=Ali" << "ADI ='Ali'";
        QTest::newRow("not equal text") << "ADI" << text << "!=Ali" << "ADI <>'Ali'";
        QTest::newRow("greater text") << "ADI" << text << ">M" << "ADI >'M'";
        QTest::newRow("later sign wins") << "ADI" << text << "<>M" << "ADI >'M'";
        QTest::newRow("is null") << "ADI" << text << "?" << "ADI IS NULL";
        QTest::newRow("is not null") << "ADI" << text << "!?" << "ADI IS NOT NULL";
        QTest::newRow("quote") << "ADI" << text << "O'NEIL" << "ADI LIKE '%O''NEIL%'";
        QTest::newRow("number") << "NUFUSCILT" << number << "12" << "NUFUSCILT = 12";
        QTest::newRow("at least") << "NUFUSCILT" << number << ">=5" << "NUFUSCILT >= 5";
        QTest::newRow("negated greater") << "NUFUSCILT" << number << "!>5" << "NUFUSCILT < 5";
        QTest::newRow("negative") << "NUFUSCILT" << number << "-5" << "NUFUSCILT = -5";
        QTest::newRow("text on number") << "NUFUSCILT" << number << "ABC" << "NUFUSCILT = 'ABC'";
        QTest::newRow("number range") << "NUFUSCILT" << number << "5-10" << "NUFUSCILT BETWEEN 5 AND 10";
        QTest::newRow("date") << "GELISTARIH" << date << "01.05.2017" << "GELISTARIH LIKE '2017-05-01'";
        QTest::newRow("date at least") << "GELISTARIH" << date << ">=01.05.2017" << "GELISTARIH >= '2017-05-01'";
        QTest::newRow("date range") << "GELISTARIH" << date << "01.05.2017-31.05.2017"
                                    << "GELISTARIH BETWEEN '2017-05-01' AND '2017-05-31'";
        QTest::newRow("time of day") << "GELISSAAT" << FieldType::Time << "14" << "GELISSAAT LIKE '%14%'";

        // Operators and their negations.
        QTest::newRow("double negation") << "NUFUSCILT" << number << "!!5" << "NUFUSCILT = 5";
        QTest::newRow("=< is <") << "NUFUSCILT" << number << "=<5" << "NUFUSCILT < 5";
        QTest::newRow("negated at least") << "NUFUSCILT" << number << "!>=5" << "NUFUSCILT <= 5";
        QTest::newRow("negated at most") << "NUFUSCILT" << number << "!<=5" << "NUFUSCILT >= 5";
        QTest::newRow("negated equal number") << "NUFUSCILT" << number << "!5" << "NUFUSCILT <> 5";
        QTest::newRow("null date") << "GELISTARIH" << date << "?" << "GELISTARIH IS NULL";

        // Ranges: only without an operator prefix, split at the last dash, never at the first
        // position, never in two characters; bounds are not cut.
        QTest::newRow("prefix is no range") << "NUFUSCILT" << number << ">5-10" << "NUFUSCILT > '5-10'";
        QTest::newRow("last dash splits") << "ADI" << text << "2017-01-05" << "ADI BETWEEN '2017-01' AND '05'";
        QTest::newRow("leading dash") << "NUFUSCILT" << number << "-10" << "NUFUSCILT = -10";
        QTest::newRow("two characters") << "ADI" << text << "1-" << "ADI LIKE '%1-%'";
        QTest::newRow("long bounds") << "ADI" << text << QString(70, 'A') + "-" + QString(70, 'B')
                                     << "ADI BETWEEN '" + QString(70, 'A') + "' AND '" + QString(70, 'B') + "'";
        QTest::newRow("fraction bounds") << "NUFUSCILT" << number << "1,5-2,5" << "NUFUSCILT BETWEEN 1.5 AND 2.5";

        // Values: cut at 60, "?" dropped, wildcards as typed, i-alternatives only for LIKE.
        QTest::newRow("61 characters") << "ADI" << text << QString(60, 'A') + "B"
                                       << "ADI LIKE '%" + QString(60, 'A') + "%'";
        QTest::newRow("question mark dropped") << "ADI" << text << "a?b" << "ADI LIKE '%ab%'";
        QTest::newRow("percent inside") << "ADI" << text << "A%T" << "ADI LIKE 'A%T'";
        QTest::newRow("equal keeps i") << "ADI" << text << "=ali" << "ADI ='ali'";
        QTest::newRow("not like alternatives") << "ADI" << text << "!ali"
                                               << "(ADI NOT LIKE '%ali%' OR ADI NOT LIKE '%alİ%')";
        QTest::newRow("capital dotted I") << "ADI" << text << "ALİ" << "(ADI LIKE '%ALİ%' OR ADI LIKE '%ALi%')";
        QTest::newRow("both i forms nest") << "ADI" << text << "iı"
                                           << "((ADI LIKE '%iı%' OR ADI LIKE '%İı%') OR "
                                              "(ADI LIKE '%iI%' OR ADI LIKE '%İI%'))";
        QTest::newRow("no alternative for I") << "ADI" << text << "ALI" << "ADI LIKE '%ALI%'";

        // Regional numbers are read once: "." groups thousands, "," is the decimal comma.
        QTest::newRow("thousands") << "NUFUSCILT" << number << "1.000" << "NUFUSCILT = 1000";
        QTest::newRow("comma and zeros is one") << "NUFUSCILT" << number << "1,000" << "NUFUSCILT = 1";
        QTest::newRow("decimal comma") << "NUFUSCILT" << number << "1,5" << "NUFUSCILT = 1.5";
        QTest::newRow("both separators") << "NUFUSCILT" << number << ">=1.234,50" << "NUFUSCILT >= 1234.5";
        QTest::newRow("negative fraction") << "NUFUSCILT" << number << "-0,25" << "NUFUSCILT = -0.25";
        QTest::newRow("thousands range") << "NUFUSCILT" << number << "1.000-2.000" << "NUFUSCILT BETWEEN 1000 AND 2000";
        QTest::newRow("decimal point is no decimal") << "NUFUSCILT" << number << "1.5" << "NUFUSCILT = '1.5'";
        // The regional parser reads these as numbers; unquoted they would name columns.
        QTest::newRow("nan") << "NUFUSCILT" << number << "nan" << "NUFUSCILT = 'nan'";
        QTest::newRow("inf") << "NUFUSCILT" << number << ">inf" << "NUFUSCILT > 'inf'";

        // A fixed-length text column is matched like any text.
        QTest::newRow("CINSIYET E") << "CINSIYET" << FieldType::FixedChar << "E" << "CINSIYET LIKE '%E%'";
        QTest::newRow("expression column") << "TOPLAM" << FieldType::Unknown << "E" << "TOPLAM ";

        QTest::newRow("boolean word") << "TESISAKTIF" << FieldType::Boolean << "=Evet" << "TESISAKTIF = 1";
        QTest::newRow("boolean word any case") << "TESISAKTIF" << FieldType::Boolean << "=hayır" << "TESISAKTIF = 0";
        QTest::newRow("boolean number") << "TESISAKTIF" << FieldType::Boolean << "!=2" << "TESISAKTIF <> 1";
        QTest::newRow("date-time as date") << "TARIH" << FieldType::DateTime << "1.5.2017" << "TARIH LIKE '2017-05-01'";
        QTest::newRow("single digit date") << "GELISTARIH" << date << "<1.5.2017" << "GELISTARIH < '2017-05-01'";
    }

    void partCondition()
    {
        QFETCH(QString, fieldName);
        QFETCH(FieldType, type);
        QFETCH(QString, text);
        QFETCH(QString, condition);
        QCOMPARE(conditionOfPart(fieldName, type, text), condition);
    }

    void cellCondition_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<FieldType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("condition");

        QTest::newRow("and") << "NUFUSCILT" << FieldType::Integer << ">5&<10" << "(NUFUSCILT > 5) AND (NUFUSCILT < 10)";
        QTest::newRow("or") << "ADI" << FieldType::String << "AHMET|MEHMET"
                            << "(ADI LIKE '%AHMET%') OR (ADI LIKE '%MEHMET%')";
        QTest::newRow("A|B&C") << "ADI" << FieldType::String << "A|B&C"
                               << "(ADI LIKE '%A%') OR (ADI LIKE '%B%') AND (ADI LIKE '%C%')";
        QTest::newRow("A&B|C") << "ADI" << FieldType::String << "A&B|C"
                               << "(ADI LIKE '%A%') AND (ADI LIKE '%B%') OR (ADI LIKE '%C%')";
        QTest::newRow("parts trimmed") << "NUFUSCILT" << FieldType::Integer << " >5 &  <10 "
                                       << "(NUFUSCILT > 5) AND (NUFUSCILT < 10)";
        // Parts that are empty after trimming are left out.
        QTest::newRow("trailing bar") << "ADI" << FieldType::String << "AHMET|" << "(ADI LIKE '%AHMET%')";
        QTest::newRow("leading ampersand") << "ADI" << FieldType::String << "&AHMET" << "(ADI LIKE '%AHMET%')";
        QTest::newRow("blank between") << "ADI" << FieldType::String << "AHMET&  |MEHMET"
                                       << "(ADI LIKE '%AHMET%') OR (ADI LIKE '%MEHMET%')";
        QTest::newRow("blanks only") << "ADI" << FieldType::String << "   " << "";
        QTest::newRow("separators only") << "ADI" << FieldType::String << " & | " << "";
        QTest::newRow("empty") << "ADI" << FieldType::String << "" << "";
    }

    void cellCondition()
    {
        QFETCH(QString, fieldName);
        QFETCH(FieldType, type);
        QFETCH(QString, text);
        QFETCH(QString, condition);
        QCOMPARE(conditionOfCell(fieldName, type, text), condition);
    }

    void unreadableValuesStopTheTranslation_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<FieldType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        QTest::newRow("no such day") << "GELISTARIH" << FieldType::Date << "31.02.2017" << "'31.02.2017' is not a valid date";
        QTest::newRow("stored form") << "GELISTARIH" << FieldType::Date << ">=2017-05-01" << "'2017-05-01' is not a valid date";
        QTest::newRow("range bound") << "GELISTARIH" << FieldType::Date << "01.05.2017-xx" << "'xx' is not a valid date";
        QTest::newRow("quote in date") << "GELISTARIH" << FieldType::Date << "01.05.2017' OR 1=1" << "'01.05.2017' OR 1=1' is not a valid date";
        QTest::newRow("time in date-time") << "TARIH" << FieldType::DateTime << "01.05.2017 12:00"
                                           << "'01.05.2017 12:00' is not a valid date";
        QTest::newRow("boolean") << "TESISAKTIF" << FieldType::Boolean << "belki" << "'belki' is not a valid boolean value";
        QTest::newRow("second part") << "GELISTARIH" << FieldType::Date << "01.05.2017|dün" << "'dün' is not a valid date";
    }

    void unreadableValuesStopTheTranslation()
    {
        QFETCH(QString, fieldName);
        QFETCH(FieldType, type);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(conversionError([&] { conditionOfCell(fieldName, type, text); }), message);
        // The grid marks such a cell with the reason, in Turkish.
        const QString problem = filterCellProblem(text, type);
        QVERIFY2(problem.startsWith("Bu süzgeç anlaşılamadı, listeye uygulanmadı: '"), qPrintable(problem));
        QVERIFY2(problem.endsWith("(" + message + ")"), qPrintable(problem));
    }

    void literals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<FieldType>("type");
        QTest::addColumn<QString>("literal");

        QTest::newRow("quote doubled") << "O'NEIL" << FieldType::String << "'O''NEIL'";
        QTest::newRow("no backslash escapes") << "a\\b\"c?d\ne\rf\x1Ag" << FieldType::String << "'a\\b\"c?d\ne\rf\x1Ag'";
        QTest::newRow("NUL dropped") << QString("O") + QChar(0) + "'" << FieldType::String << "'O'''";
        QTest::newRow("integer") << "1.234" << FieldType::Integer << "1234";
        QTest::newRow("fraction") << "-1,5" << FieldType::Float << "-1.5";
        QTest::newRow("not a number") << "1 OR 1=1" << FieldType::Integer << "'1 OR 1=1'";
        QTest::newRow("date") << "1.5.2017" << FieldType::Date << "'2017-05-01'";
        QTest::newRow("boolean") << "evet" << FieldType::Boolean << "1";
        QTest::newRow("expression column") << "x" << FieldType::Unknown << "";
    }

    void literals()
    {
        QFETCH(QString, text);
        QFETCH(FieldType, type);
        QFETCH(QString, literal);
        QCOMPARE(sqlDegerVer(text, type), literal);
    }

    void gridCombinesTheColumns()
    {
        QString where = "old";
        QString having = "old";
        const QList<FilterColumn> columns{
            {"ADI", "AHMET", FieldType::String, true},
            {"SOYADI", "", FieldType::String, true},
            {"ODAEVNO", "101", FieldType::String, false}, // a lookup column is never filtered
            {"NOTLAR", "   ", FieldType::String, true},  // blanks add no condition
            {"NUFUSCILT", ">5", FieldType::Integer, true},
        };
        QVERIFY(gridFiltreSartiVer(Tmyfieldset(), columns, where, having));
        QCOMPARE(where, QString("((ADI LIKE '%AHMET%')) AND ((NUFUSCILT > 5))"));
        QCOMPARE(having, QString());

        QVERIFY(gridFiltreSartiVer(Tmyfieldset(), {{"ADI", "AHMET", FieldType::String, false}}, where, having));
        QCOMPARE(where, QString());
        QCOMPARE(having, QString());
    }

    void fieldSetRedirectsConditions()
    {
        Tmyfieldset fieldset;
        auto entry = [&](int index, const QString &name, const QString &where, const QString &having) {
            fieldset.set(index, TFozellik::alanadi, name);
            fieldset.set(index, TFozellik::sqlexp, where);
            fieldset.set(index, TFozellik::sqlhexp, having);
        };
        entry(0, "ADI", "MISAFIR.ADI", "");
        entry(1, "NUFUSCILT", "", "MAX(NUFUSCILT)");
        entry(2, "SOYADI", "UPPER(SOYADI)", "MAX(SOYADI)"); // sqlexp wins: WHERE
        // After a gap that ends the set for the other walks: every entry counts here.
        entry(200, "GELISTARIH", "", "MIN(GELISTARIH)");

        const QList<FilterColumn> columns{
            {"adi", "AHMET", FieldType::String, true},
            {"NUFUSCILT", ">5&<10", FieldType::Integer, true},
            {"SOYADI", "=YILMAZ", FieldType::String, true},
            {"GELISTARIH", "?", FieldType::Date, true},
        };
        QString where;
        QString having;
        QVERIFY(gridFiltreSartiVer(fieldset, columns, where, having));
        QCOMPARE(where, QString("((MISAFIR.ADI LIKE '%AHMET%')) AND ((UPPER(SOYADI) ='YILMAZ'))"));
        QCOMPARE(having, QString("(MAX(NUFUSCILT) > 5) AND (MAX(NUFUSCILT) < 10) AND (MIN(GELISTARIH) IS NULL)"));
    }

    void staticFilterMacro_data()
    {
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QString>("macro");

        QTest::newRow("one") << "AYRILISTARIH IS NULL" << "AYRILISTARIH IS NULL";
        QTest::newRow("two") << "AYRILISTARIH IS NULL;_IDODAEV=1" << "AYRILISTARIH IS NULL AND _IDODAEV=1";
        QTest::newRow("blanks stay") << " A=1 ; B=2" << " A=1  AND  B=2";
        QTest::newRow("quoted item") << "\"ADI=';'\";B=2" << "ADI=';' AND B=2";
        QTest::newRow("blank items left out") << "A=1;; ;" << "A=1";
        QTest::newRow("nothing") << "" << "previous";
        QTest::newRow("only separators") << ";;" << "previous";
    }

    void staticFilterMacro()
    {
        QFETCH(QString, conditions);
        QFETCH(QString, macro);
        Query query(nullptr);
        query.setMacro("staticfilter", "previous");
        makroSartAta(query, "staticfilter", conditions);
        QCOMPARE(query.macro("staticfilter"), macro);
    }

    void sortMarks()
    {
        SortMark mark = SortMark::None;
        QList<SortMark> seen;
        for (int click = 0; click < 3; ++click)
            seen << (mark = nextSortMark(mark));
        QCOMPARE(seen, QList<SortMark>({SortMark::Ascending, SortMark::Descending, SortMark::None}));

        QCOMPARE(siralamaMetni({{"ADI", SortMark::Ascending}, {"SOYADI", SortMark::None},
                                {"NUFUSCILT", SortMark::Descending}}),
                 QString("ADI:A,NUFUSCILT:D"));
        QCOMPARE(siralamaMetni({{"ADI", SortMark::None}}), QString());
    }

    void filteringTheGuestList_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("name") << "ADI" << "AHMET" << QStringList{"AHMET"};
        QTest::newRow("either name") << "ADI" << "AHMET|ZEYNEP" << QStringList{"AHMET", "ZEYNEP"};
        QTest::newRow("ali in any i") << "ADI" << "ali" << QStringList{"ALI", "ALİ", "Ali"};
        QTest::newRow("equal is exact") << "ADI" << "=ALİ" << QStringList{"ALİ"};
        QTest::newRow("Turkish letters") << "SOYADI" << "ŞAHİN" << QStringList{"MEHMET"};
        QTest::newRow("dotless I") << "SOYADI" << "IŞIK" << QStringList{"ALİ"};
        QTest::newRow("Ö and Ü") << "SOYADI" << "ÖZTÜRK" << QStringList{"ZEYNEP"};
        QTest::newRow("quote") << "ADI" << "O'NEIL" << QStringList{"O'NEIL"};
        QTest::newRow("number range") << "NUFUSCILT" << "5-10" << QStringList{"ALI", "Ali", "MEHMET", "ZEYNEP"};
        QTest::newRow("open range") << "NUFUSCILT" << ">5&<12" << QStringList{"ALI", "MEHMET", "ZEYNEP"};
        QTest::newRow("thousands") << "NUFUSCILT" << "<1.000" << QStringList{"AHMET", "ALI", "ALİ", "Ali", "MEHMET", "ZEYNEP"};
        QTest::newRow("no volume") << "NUFUSCILT" << "?" << QStringList{"O'NEIL"};
        QTest::newRow("date") << "GELISTARIH" << "01.05.2017" << QStringList{"MEHMET"};
        QTest::newRow("short date") << "GELISTARIH" << "1.5.2017" << QStringList{"MEHMET"};
        QTest::newRow("date range") << "GELISTARIH" << "01.05.2017-31.05.2017" << QStringList{"ALİ", "Ali", "MEHMET"};
        QTest::newRow("from date") << "GELISTARIH" << ">=01.06.2017" << QStringList{"O'NEIL", "ZEYNEP"};
        QTest::newRow("CINSIYET K") << "CINSIYET" << "K" << QStringList{"ZEYNEP"};
        QTest::newRow("CINSIYET E") << "CINSIYET" << "E"
                                    << QStringList{"AHMET", "ALI", "ALİ", "Ali", "MEHMET", "O'NEIL"};
        QTest::newRow("joined table") << "TESISADI" << "Çınar"
                                      << QStringList{"AHMET", "ALI", "ALİ", "Ali", "MEHMET", "O'NEIL", "ZEYNEP"};
    }

    void filteringTheGuestList()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        GuestRegister reg;
        reg.filter({{fieldName, text}});
        QVERIFY(reg.query.isOpen());
        QCOMPARE(reg.names(), sorted(names));
    }

    // No cell text changes the statement: the guest named by a hostile text is found by it and
    // nobody else is, and the register keeps all its guests.
    void hostileTextsStayValues_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("guestName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");

        // A dash would make the text a range, so those texts are looked for with "=".
        auto named = [](const QString &name) {
            const QString text = name.contains('-') ? "=" + name : name;
            QTest::newRow(qPrintable(QString(name).replace('\n', "\\n"))) << "ADI" << name << text << QStringList{name};
        };
        named("x'); DROP TABLE MISAFIR; --");
        named("' OR '1'='1");
        named("\\' OR 1=1 --");
        named("a -- b");
        named("c /* d");
        named("e */ f");
        named("g ) OR (1=1");
        named("h; i");
        named("\"quoted\"");
        named("j\\k");
        named("l\nm");
        named("ĞÜŞİÖÇ ğüşıöç");
        QTest::newRow("NUL dropped") << "ADI" << "n'p" << QString("n") + QChar(0) + "'p" << QStringList{"n'p"};
        QTest::newRow("10,000 characters") << "ADI" << "q" << QString(10000, 'Q') << QStringList{};
        QTest::newRow("long Turkish text") << "SOYADI" << "r" << QString(10000, QChar(0x15F)) << QStringList{};
        QTest::newRow("quote in range") << "ADI" << "s'" << "s'-s'z" << QStringList{"s'"};
        QTest::newRow("comment in range") << "ADI" << "a'--b" << "a'--b" << QStringList{"a'--b"};
        QTest::newRow("number injection") << "NUFUSCILT" << "t" << "5 OR 1=1" << QStringList{};
        QTest::newRow("number with statement") << "NUFUSCILT" << "u" << "5; DROP TABLE MISAFIR" << QStringList{};
        QTest::newRow("quote in fixed char") << "CINSIYET" << "v" << "E' OR '1'='1" << QStringList{};
        QTest::newRow("question mark") << "ADI" << "w?x" << "=w?x" << QStringList{};
        QTest::newRow("huge range bound") << "NUFUSCILT" << "y" << "1-" + QString(10000, '9')
                                          << QStringList{"AHMET", "ALI", "ALİ", "Ali", "MEHMET", "ZEYNEP", "y"};
    }

    void hostileTextsStayValues()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, guestName);
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        GuestRegister reg;
        reg.addGuest(guestName, "HOSTILE", 1, "2017-01-01", "H");
        const int guests = reg.guestCount();
        reg.filter({{fieldName, text}});
        QVERIFY(reg.query.isOpen());
        QCOMPARE(reg.names(), sorted(names));
        QCOMPARE(reg.guestCount(), guests);
    }

    void handlerWritesTheMacrosAndEmptyCellsPutThemBack()
    {
        GuestRegister reg;
        reg.addGuest("AHMET", "DEMİR", 8, "2017-05-02", "E");
        makroSartAta(reg.query, "staticfilter", "GELISTARIH >= '2017-01-01';_IDODAEV=1");
        reg.filter({{"ADI", "AHMET"}, {"SOYADI", ""}, {"NUFUSCILT", ">5"}});
        QCOMPARE(reg.query.macro("filter"), QString("((ADI LIKE '%AHMET%')) AND ((NUFUSCILT > 5))"));
        QCOMPARE(reg.query.macro("having"), QString("1"));
        QVERIFY(reg.query.isOpen());
        QCOMPARE(reg.names(), QStringList{"AHMET"});

        reg.filter({{"ADI", ""}, {"SOYADI", "  "}, {"NUFUSCILT", ""}});
        QCOMPARE(reg.query.macro("filter"), QString("1"));
        QCOMPARE(reg.query.macro("having"), QString("1"));
        QCOMPARE(reg.query.macro("staticfilter"), QString("GELISTARIH >= '2017-01-01' AND _IDODAEV=1"));
        QCOMPARE(reg.names(), QStringList({"AHMET", "AHMET", "ALİ", "Ali", "MEHMET", "O'NEIL", "ZEYNEP"}));
    }

    void calculatedColumnsAreNeverFiltered()
    {
        GuestRegister reg;
        reg.query.setMacro("filter", "ADI='AHMET'");
        reg.query.setMacro("having", "COUNT(*)=1");
        filtreDegisti(reg.query, Tmyfieldset(), {{"ADI", "ZEYNEP", FieldType::String, false}});
        QCOMPARE(reg.query.macro("filter"), QString("1"));
        QCOMPARE(reg.query.macro("having"), QString("1"));
        QCOMPARE(reg.names().size(), 7);
    }

    void havingConditionsRunOnTheGroupedRows()
    {
        GuestRegister reg;
        Tmyfieldset fieldset;
        fieldset.set(0, TFozellik::alanadi, "ADI");
        fieldset.set(0, TFozellik::sqlexp, "MISAFIR.ADI");
        fieldset.set(1, TFozellik::alanadi, "NUFUSCILT");
        fieldset.set(1, TFozellik::sqlhexp, "MAX(NUFUSCILT)");
        reg.filter({{"ADI", "A"}, {"NUFUSCILT", ">=10"}}, fieldset);
        QCOMPARE(reg.query.macro("filter"), QString("((MISAFIR.ADI LIKE '%A%'))"));
        QCOMPARE(reg.query.macro("having"), QString("(MAX(NUFUSCILT) >= 10)"));
        QCOMPARE(reg.names(), QStringList({"ALI", "ALİ"}));
    }

    // A cell that cannot be translated adds no condition and stops nothing: the other cells
    // still filter, and the grid marks the cell.
    void unreadableCellAddsNoCondition_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("text");
        QTest::newRow("no such day") << "GELISTARIH" << "31.02.2017";
        QTest::newRow("partial date") << "GELISTARIH" << "10.12";
        QTest::newRow("partial range bound") << "GELISTARIH" << "01.05.2017-10.12";
        QTest::newRow("boolean") << "TESISAKTIF" << "=belki";
    }

    void unreadableCellAddsNoCondition()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, text);
        GuestRegister reg;
        reg.filter({{"ADI", "AHMET"}});
        QCOMPARE(conversionError([&] { reg.filter({{"ADI", "MEHMET"}, {fieldName, text}}); }), QString());
        QVERIFY(reg.query.isOpen());
        QCOMPARE(reg.query.macro("filter"), QString("((ADI LIKE '%MEHMET%'))"));
        QCOMPARE(reg.query.macro("having"), QString("1"));
        QCOMPARE(reg.names(), QStringList{"MEHMET"});

        reg.filter({{"ADI", ""}, {fieldName, text}});
        QCOMPARE(reg.query.macro("filter"), QString("1"));
        QCOMPARE(reg.names().size(), 7);
    }

    // A condition the database rejects leaves the query closed until the next change opens it.
    void rejectedStatementLeavesTheQueryClosed()
    {
        GuestRegister reg;
        Tmyfieldset fieldset;
        fieldset.set(0, TFozellik::alanadi, "ADI");
        fieldset.set(0, TFozellik::sqlhexp, "NOSUCHCOLUMN");
        QCOMPARE(conversionError([&] { reg.filter({{"ADI", "A"}}, fieldset); }),
                 QString("no such column: NOSUCHCOLUMN"));
        QVERIFY(!reg.query.isOpen());

        reg.filter({{"ADI", ""}}, fieldset);
        QVERIFY(reg.query.isOpen());
        QCOMPARE(reg.names().size(), 7);
    }
};

QTEST_GUILESS_MAIN(TestGridFilter)
#include "tst_gridfilter.moc"
