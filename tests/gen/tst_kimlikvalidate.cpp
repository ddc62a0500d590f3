// The guest-row rules on a real guest query over a fresh qrt.db: the messages and fields that
// isvalid reports, the required-field list and isfieldneed, and the TC-number check.
#include "TestSupport.h"
#include "data/CreationScript.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/Field.h"
#include "db/Query.h"
#include "gen/EKimlikRowHata.h"
#include "gen/KimlikNo.h"
#include "gen/TKimlikRowValidate.h"

#include <QtTest>

namespace {

// A complete stay of a Turkish citizen; every other column is NULL.
QVariantMap citizenRow()
{
    return {
        {"_IDODAEV", 1},
        {"KIMLIKTURU", "N"},
        {"KIMLIKSERINO", "A12345"},
        {"UYRUGU", "TC"},
        {"TCNO", "10000000146"},
        {"ADI", "Ayşe"},
        {"SOYADI", "Yılmaz"},
        {"BABAADI", "Mehmet"},
        {"ANAADI", "Fatma"},
        {"CINSIYET", "K"},
        {"MEDENIDURUM", "E"},
        {"DOGUMYERI", "İzmir"},
        {"DOGUMTARIHI", "1980-02-29"},
        {"IKAMETADRESI", "Alsancak Mah. 1453 Sok. No:5"},
        {"GELISTARIH", "2026-12-10"},
        {"GELISSAAT", "14:30:00.000"},
    };
}

// A complete stay of a German guest: no TC number, no mother's name.
QVariantMap foreignRow()
{
    QVariantMap row = citizenRow();
    row["KIMLIKTURU"] = "P";
    row["UYRUGU"] = "DEU";
    row.remove("TCNO");
    row.remove("ANAADI");
    return row;
}

QVariantMap merged(QVariantMap row, const QVariantMap &overrides)
{
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
        row[it.key()] = it.value();
    return row;
}

// A fresh database built by the creation script, with the guest query the guest list uses.
struct GuestDb {
    testsupport::ScopedWorkDir dir;
    Database db;
    Query query{&db};

    GuestDb()
    {
        db.open("qrt.db");
        // Durability of a throw-away file is not under test; without a flush per statement the
        // creation script runs in milliseconds instead of seconds.
        db.executeScript("PRAGMA synchronous=OFF;");
        db.executeScript(creationScriptText(), true);
        query.setSql("SELECT * FROM MISAFIR ORDER BY IDMISAFIR");
    }

    // Opens the query and starts a new row with these values, typed in as an editor does (a
    // text through setAsString); a null QVariant leaves the column NULL.
    void startNewRow(const QVariantMap &values)
    {
        query.open();
        query.insert();
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            Field &field = query.fieldByName(it.key());
            if (it.value().typeId() == QMetaType::QString)
                field.setAsString(it.value().toString());
            else
                field.setValue(it.value());
        }
    }

    // Writes a row straight into the file, the way another program could have left it.
    void storeRow(const QVariantMap &values)
    {
        QStringList columns, params;
        QVariantMap bound;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            columns << it.key();
            const QString param = "p" + QString::number(params.size());
            params << ":" + param;
            bound[param] = it.value();
        }
        db.execute(QString("INSERT INTO MISAFIR(%1) VALUES(%2)").arg(columns.join(','), params.join(',')), bound);
    }

    Field *field(const char *name) { return &query.fieldByName(name); }
};

// The labels and messages as the operator reads them.
const QList<QPair<const char *, const char *>> kAlwaysRequired = {
    {"KIMLIKTURU", "Kimlik türü"}, {"KIMLIKSERINO", "Kimlik serino"}, {"UYRUGU", "Uyruk"},
    {"ADI", "Adı"}, {"SOYADI", "Soyadı"}, {"BABAADI", "Baba adı"}, {"DOGUMYERI", "Doğumyeri"},
    {"DOGUMTARIHI", "Doğum tarihi"}, {"CINSIYET", "Cinsiyet"}, {"MEDENIDURUM", "Medeni durum"},
    {"IKAMETADRESI", "İkamet adresi"}, {"GELISTARIH", "Geliş tarihi"}, {"GELISSAAT", "Geliş saat"},
};

const QList<QPair<const char *, const char *>> kForeignMustBeEmpty = {
    {"TCNO", "Tc No Boş Olmalı."},
    {"NUFUSKAYITIL", "Nüfus il boş Olmalı."},
    {"NUFUSKAYITILCE", "Nüfus ilçe boş Olmalı."},
    {"NUFUSKAYITMAH", "Nüfus mah boş Olmalı."},
    {"NUFUSCILT", "Nüfus cilt boş Olmalı."},
    {"NUFUSAILESIRANO", "Nüfus aile sirano boş Olmalı."},
    {"NUFUSSIRANO", "Nüfus sirano boş Olmalı."},
};

QStringList labelsOf(const TKimlikRowValidate &validator)
{
    QStringList labels;
    for (const auto &entry : validator.ReqFieldList())
        labels << entry.label;
    return labels;
}

} // namespace

class TestKimlikValidate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void isvalidReportsTheFirstFailure_data()
    {
        QTest::addColumn<QVariantMap>("row");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("field");

        const QVariantMap citizen = citizenRow();
        const QVariantMap foreign = foreignRow();
        QTest::addRow("complete citizen") << citizen << "" << "";
        QTest::addRow("complete foreign guest") << foreign << "" << "";

        for (const auto &[name, label] : kAlwaysRequired) {
            QTest::addRow("citizen without %s", name)
                << merged(citizen, {{name, QVariant()}}) << QString::fromUtf8(label) + " gereklidir." << name;
            QTest::addRow("foreign guest without %s", name)
                << merged(foreign, {{name, QVariant()}}) << QString::fromUtf8(label) + " gereklidir." << name;
        }
        QTest::addRow("empty text is empty") << merged(citizen, {{"ADI", ""}}) << "Adı gereklidir." << "ADI";
        QTest::addRow("a blank is content") << merged(citizen, {{"ADI", " "}, {"SOYADI", " "}}) << "" << "";
        QTest::addRow("required fields in table order")
            << merged(citizen, {{"GELISSAAT", QVariant()}, {"ADI", QVariant()}, {"KIMLIKTURU", QVariant()}})
            << "Kimlik türü gereklidir." << "KIMLIKTURU";

        // Nationality decides between the citizen and the foreign-guest rules.
        QTest::addRow("lower-case tc is a citizen")
            << merged(citizen, {{"UYRUGU", "tc"}, {"TCNO", "1000000014"}}) << "Tc No Eksik." << "TCNO";
        QTest::addRow("mixed-case Tc is a citizen")
            << merged(citizen, {{"UYRUGU", "Tc"}, {"ANAADI", QVariant()}}) << "Ana adı gereklidir." << "ANAADI";
        QTest::addRow("empty nationality stops before the nationality rules")
            << merged(citizen, {{"UYRUGU", ""}, {"TCNO", "12345"}, {"NUFUSCILT", 3}}) << "Uyruk gereklidir." << "UYRUGU";
        QTest::addRow("TC with a trailing blank is foreign")
            << merged(citizen, {{"UYRUGU", "TC "}}) << "Tc No Boş Olmalı." << "TCNO";

        QTest::addRow("citizen without TC number") << merged(citizen, {{"TCNO", QVariant()}}) << "Tc No gereklidir." << "TCNO";
        QTest::addRow("citizen without mother's name") << merged(citizen, {{"ANAADI", ""}}) << "Ana adı gereklidir." << "ANAADI";
        QTest::addRow("TC number of 10 digits") << merged(citizen, {{"TCNO", "1000000014"}}) << "Tc No Eksik." << "TCNO";
        QTest::addRow("TC number of 12 digits") << merged(citizen, {{"TCNO", "100000001460"}}) << "Tc No Eksik." << "TCNO";
        // The check digits of 0123456784 0 hold, but the number column drops the leading zero.
        QTest::addRow("TC number typed with a leading zero")
            << merged(citizen, {{"TCNO", "01234567840"}}) << "Tc No Eksik." << "TCNO";
        QTest::addRow("TC number with a wrong last digit")
            << merged(citizen, {{"TCNO", "10000000147"}}) << "Tc No Hatalı." << "TCNO";
        QTest::addRow("TC number with a wrong tenth digit")
            << merged(citizen, {{"TCNO", "10000000156"}}) << "Tc No Hatalı." << "TCNO";
        QTest::addRow("TC number whose 7A-B is negative")
            << merged(citizen, {{"TCNO", "19090909018"}}) << "" << "";
        QTest::addRow("citizen with the civil-registry data")
            << merged(citizen, {{"NUFUSKAYITIL", "İzmir"}, {"NUFUSKAYITILCE", "Konak"}, {"NUFUSKAYITMAH", "Alsancak"},
                                {"NUFUSCILT", 12}, {"NUFUSAILESIRANO", 34}, {"NUFUSSIRANO", 56}})
            << "" << "";

        for (const auto &[name, message] : kForeignMustBeEmpty) {
            const QVariant value = QByteArray(name).startsWith("NUFUSKAYIT") ? QVariant("x") : QVariant(15);
            QTest::addRow("foreign guest with %s", name)
                << merged(foreign, {{name, name == QByteArray("TCNO") ? QVariant("10000000146") : value}})
                << QString::fromUtf8(message) << name;
        }
        QTest::addRow("foreign table order decides")
            << merged(foreign, {{"NUFUSKAYITIL", "İzmir"}, {"TCNO", "10000000146"}}) << "Tc No Boş Olmalı." << "TCNO";
        QTest::addRow("foreign guest with a blank province")
            << merged(foreign, {{"NUFUSKAYITIL", " "}}) << "Nüfus il boş Olmalı." << "NUFUSKAYITIL";

        QTest::addRow("departed without departure time")
            << merged(citizen, {{"AYRILISTARIH", "2026-12-12"}}) << "Ayrılış saat gereklidir." << "AYRILISSAAT";
        QTest::addRow("departed with departure time")
            << merged(citizen, {{"AYRILISTARIH", "2026-12-12"}, {"AYRILISSAAT", "11:00:00.000"}}) << "" << "";
        QTest::addRow("departure time without departure date")
            << merged(foreign, {{"AYRILISSAAT", "11:00:00.000"}}) << "" << "";
    }

    // The check runs while a new row is being inserted, as it does before every save.
    void isvalidReportsTheFirstFailure()
    {
        QFETCH(QVariantMap, row);
        QFETCH(QString, message);
        QFETCH(QString, field);
        GuestDb g;
        g.startNewRow(row);
        TKimlikRowValidate validator;
        validator.Fields = &g.query;

        QCOMPARE(validator.isvalid(), message.isEmpty());
        QCOMPARE(validator.LastErrorMsg(), message);
        QCOMPARE(validator.LastErrorField(), field.isEmpty() ? nullptr : g.field(field.toLatin1()));
    }

    void isvalidOnABrowsedRowAndItsSuccessClearsTheLastFailure()
    {
        GuestDb g;
        g.storeRow(merged(citizenRow(), {{"TCNO", 10000000147ll}}));
        g.query.open();
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        QVERIFY(!validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString("Tc No Hatalı."));

        g.query.edit();
        g.query.fieldByName("TCNO").setAsString("10000000146");
        QVERIFY(validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString());
        QCOMPARE(validator.LastErrorField(), nullptr);
    }

    void emptyTableFailsOnlyWhileBrowsing()
    {
        GuestDb g;
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        g.query.open();
        QVERIFY(!validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString("Tablo boş"));
        QCOMPARE(validator.LastErrorField(), nullptr);

        g.query.close();
        QVERIFY(!validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString("Tablo boş"));

        g.query.open();
        g.query.insert(); // the new row of an empty table is checked like any row
        QVERIFY(!validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString("Kimlik türü gereklidir."));
        QCOMPARE(validator.LastErrorField(), g.field("KIMLIKTURU"));
    }

    // Errors that are not rule failures come back with their own text and no field.
    void otherErrorsAreReportedNotThrown()
    {
        GuestDb g;
        // A TC number left as text in the file by other means cannot be read as a number.
        g.storeRow(merged(citizenRow(), {{"TCNO", "1234567890a"}}));
        g.query.open();
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        QVERIFY(!validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString("'1234567890a' geçerli bir tam sayı değil ('1234567890a' is not a valid integer value)"));
        QCOMPARE(validator.LastErrorField(), nullptr);

        Query partial(&g.db);
        partial.setSql("SELECT IDMISAFIR, ADI, UYRUGU, AYRILISTARIH FROM MISAFIR");
        partial.open();
        TKimlikRowValidate onPartial;
        onPartial.Fields = &partial;
        QVERIFY(!onPartial.isvalid());
        QCOMPARE(onPartial.LastErrorMsg(), QString("KIMLIKTURU alanı bulunamadı (Field 'KIMLIKTURU' not found)"));
        QCOMPARE(onPartial.LastErrorField(), nullptr);
        QVERIFY_THROWS_EXCEPTION(AppError, onPartial.buildReqFieldList());
        QVERIFY(onPartial.ReqFieldList().isEmpty());

        TKimlikRowValidate withoutSource;
        QVERIFY(!withoutSource.isvalid());
        QVERIFY(!withoutSource.LastErrorMsg().isEmpty());
    }

    // A row source that joins more columns is accepted, as the guest list's join is.
    void joinedRowSourceIsAccepted()
    {
        GuestDb g;
        g.db.execute("INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES(1234,'P','Otel Güneş')");
        g.db.execute("INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES(1,'101')");
        g.storeRow(citizenRow());
        Query joined(&g.db);
        joined.setSql("SELECT MISAFIR.*, ODAEV.ODAEVNO, TESISLER.TESISADI FROM MISAFIR"
                      " INNER JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV"
                      " INNER JOIN TESISLER ON TESISLER.IDTESISLER=ODAEV._IDTESISLER");
        joined.open();
        TKimlikRowValidate validator;
        validator.Fields = &joined;
        QVERIFY2(validator.isvalid(), qPrintable(validator.LastErrorMsg()));
    }

    void requiredFieldListFollowsTheRow_data()
    {
        QTest::addColumn<QVariantMap>("row");
        QTest::addColumn<QStringList>("labels");
        QStringList always;
        for (const auto &[name, label] : kAlwaysRequired)
            always << QString::fromUtf8(label);
        QStringList citizen = always.mid(0, 11) + QStringList{"Tc No", "Ana adı"} + always.mid(11);

        QTest::addRow("citizen staying") << citizenRow() << citizen;
        QTest::addRow("citizen departed")
            << merged(citizenRow(), {{"AYRILISTARIH", "2026-12-12"}}) << citizen + QStringList{"Ayrılış saat"};
        QTest::addRow("tc in lower case") << merged(citizenRow(), {{"UYRUGU", "tc"}}) << citizen;
        QTest::addRow("foreign guest staying") << foreignRow() << always;
        QTest::addRow("foreign guest departed")
            << merged(foreignRow(), {{"AYRILISTARIH", "2026-12-12"}}) << always + QStringList{"Ayrılış saat"};
        QTest::addRow("empty nationality is not a citizen") << merged(citizenRow(), {{"UYRUGU", ""}}) << always;
    }

    void requiredFieldListFollowsTheRow()
    {
        QFETCH(QVariantMap, row);
        QFETCH(QStringList, labels);
        GuestDb g;
        g.startNewRow(row);
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        validator.buildReqFieldList();
        QCOMPARE(labelsOf(validator), labels);
        for (const auto &entry : validator.ReqFieldList())
            QCOMPARE(entry.field->query(), &g.query);
        QCOMPARE(validator.ReqFieldList().first().field, g.field("KIMLIKTURU"));
    }

    void isfieldneedOnAnOpenQuery()
    {
        GuestDb g;
        g.storeRow(merged(citizenRow(), {{"ANAADI", ""}}));
        g.query.open();
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        QVERIFY(validator.isfieldneed(g.field("ANAADI")));       // listed and empty
        QVERIFY(!validator.isfieldneed(g.field("TCNO")));        // listed and filled
        QVERIFY(!validator.isfieldneed(g.field("NOTLAR")));      // not listed
        QVERIFY(!validator.isfieldneed(g.field("AYRILISSAAT"))); // no departure date
        QVERIFY(!validator.isfieldneed(nullptr));
        QCOMPARE(validator.ReqFieldList().size(), 15);           // built by the first question

        g.query.edit();
        g.query.fieldByName("ANAADI").setAsString("Fatma");
        QVERIFY(!validator.isfieldneed(g.field("ANAADI")));
    }

    // Without rows to look at, every listed field is marked, whatever its value was.
    void isfieldneedOnAClosedQuery()
    {
        GuestDb g;
        g.storeRow(citizenRow());
        g.query.open();
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        validator.buildReqFieldList();
        QVERIFY(!validator.isfieldneed(g.field("ADI")));
        g.query.close();
        QVERIFY(validator.isfieldneed(g.field("ADI")));
        QVERIFY(validator.isfieldneed(g.field("TCNO")));
        QVERIFY(validator.isfieldneed(g.field("ANAADI")));
        QVERIFY(!validator.isfieldneed(g.field("NOTLAR")));

        // A list first built on the closed query sees no nationality: a foreign guest's list.
        TKimlikRowValidate fresh;
        fresh.Fields = &g.query;
        QVERIFY(fresh.isfieldneed(g.field("ADI")));
        QVERIFY(!fresh.isfieldneed(g.field("TCNO")));
        QCOMPARE(fresh.ReqFieldList().size(), 13);
    }

    // A list that has entries stays as built until it is rebuilt, even when the row changes.
    void listIsNotRebuiltWhileItHasEntries()
    {
        GuestDb g;
        g.startNewRow(merged(citizenRow(), {{"TCNO", QVariant()}, {"ANAADI", QVariant()}}));
        TKimlikRowValidate validator;
        validator.Fields = &g.query;
        validator.buildReqFieldList();

        g.query.fieldByName("UYRUGU").setAsString("DEU");
        QVERIFY(validator.isfieldneed(g.field("TCNO")));
        QVERIFY(validator.isfieldneed(g.field("ANAADI")));
        QVERIFY(!validator.isvalid());
        QCOMPARE(validator.LastErrorMsg(), QString("Tc No gereklidir."));
        QCOMPARE(labelsOf(validator).size(), 15);

        validator.buildReqFieldList();
        QVERIFY(!validator.isfieldneed(g.field("TCNO")));
        QVERIFY2(validator.isvalid(), qPrintable(validator.LastErrorMsg()));
    }

    void errorCarriesItsField()
    {
        GuestDb g;
        g.query.open();
        try {
            throw EKimlikRowHata("Tc No Eksik.", g.field("TCNO"));
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("Tc No Eksik."));
            QCOMPARE(dynamic_cast<const EKimlikRowHata &>(error).Field(), g.field("TCNO"));
        }
    }

    void tcKimlikNoGecerli_data()
    {
        QTest::addColumn<quint64>("number");
        QTest::addColumn<bool>("valid");
        QTest::addRow("worked example") << quint64(10000000146) << true;
        QTest::addRow("worked example, last digit off") << quint64(10000000147) << false;
        QTest::addRow("worked example, tenth digit off") << quint64(10000000156) << false;
        QTest::addRow("digits 1 to 9") << quint64(12345678950) << true;
        QTest::addRow("digits 1 to 9, check digits swapped") << quint64(12345678905) << false;
        QTest::addRow("7A-B below zero") << quint64(19090909018) << true;
        QTest::addRow("7A-B below zero, truncated remainder") << quint64(19090909098) << false;
        QTest::addRow("10 digits") << quint64(1000000014) << false;
        QTest::addRow("leading zero dropped by the number") << quint64(1234567840) << false;
        QTest::addRow("12 digits") << quint64(100000001460) << false;
        QTest::addRow("12 digits ending in a valid number") << quint64(910000000146) << false;
        QTest::addRow("zero") << quint64(0) << false;
        QTest::addRow("largest value") << std::numeric_limits<quint64>::max() << false;
    }

    void tcKimlikNoGecerli()
    {
        QFETCH(quint64, number);
        QFETCH(bool, valid);
        QCOMPARE(::tcKimlikNoGecerli(number), valid);
    }

    // Of the hundred endings of the worked example's nine digits exactly one passes.
    void onlyOneEndingPassesForNineDigits()
    {
        QList<int> passing;
        for (int ending = 0; ending < 100; ++ending) {
            if (::tcKimlikNoGecerli(100000001ull * 100 + quint64(ending)))
                passing << ending;
        }
        QCOMPARE(passing, QList<int>{46});
    }
};

QTEST_MAIN(TestKimlikValidate)
#include "tst_kimlikvalidate.moc"
