// The entry window's help for the operator, driven as the operator drives it: the returning
// guest bar and "Bilgileri getir", reading a document's zone (Ctrl+M), the Latin transliteration
// offered on save and the question about a person present twice. Saves go through the guest
// list's own save check.
#include "controls/DbLookupComboBox.h"
#include "data/Tdm1.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormMisafirEdit.h"
#include "forms/TFrameMisafirEdit.h"
#include "forms/TFrameMisafirler.h"
#include "gen/TransientMessage.h"
#include "mrz/TFormMrzOku.h"
#include "returning/ReturningGuestBar.h"

#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr qint64 kTcNo = 10000000146;

// The register, the guest list and its entry window, with the boxes and messages it would show
// captured.
struct EntryDesk {
    testsupport::ScopedWorkDir dir;
    QStringList errors;
    QStringList flashes;
    QList<MessageBoxes::Request> boxes;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        boxes << request;
        return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }};
    ScopedMesajGosterHook flashHook{[this](const QString &text, const QString &) { flashes << text; }};
    Tdm1 module;
    TFormMisafirEdit form{&module};
    TFrameMisafirler list{&module};

    EntryDesk()
    {
        ErrorSink::setHandler([this](const QString &message) { errors << message; });
        db().execute("INSERT INTO TESISLER (IDTESISLER,TESISKODU,TESISBOLGE,TESISADI) VALUES "
                     "(1,11,'P','Otel Güneş 1'),(2,12,'J','Deniz Pansiyon')");
        db().execute("INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES (1,1,'101'),(2,2,'7')");
        list.setWindows(&form, nullptr);
    }
    ~EntryDesk()
    {
        form.close();
        ErrorSink::setHandler({});
    }

    Database &db() { return *module.dbMain(); }
    Query &guests() { return *list.fdqry_misafirler(); }
    Field &field(const char *name) { return guests().fieldByName(QLatin1String(name)); }
    int storedStays() { return db().scalar("SELECT COUNT(*) FROM MISAFIR").toInt(); }

    qint64 addStay(const QDate &arrival, const QDate &departure, const QVariantMap &changes = {})
    {
        QVariantMap columns{{"_IDODAEV", 1},       {"KIMLIKTURU", "N"},     {"KIMLIKSERINO", "A12B34567"},
                            {"UYRUGU", "TC"},      {"TCNO", kTcNo},         {"ADI", "Ayşe"},
                            {"SOYADI", "Yılmaz"},  {"BABAADI", "Ali"},      {"ANAADI", "Fatma"},
                            {"CINSIYET", "K"},     {"MEDENIDURUM", "E"},    {"DOGUMYERI", "İzmir"},
                            {"DOGUMTARIHI", "1985-03-15"}, {"IKAMETADRESI", "Alsancak"},
                            {"GELISTARIH", arrival.toString(Qt::ISODate)}, {"GELISSAAT", "14:00:00.000"}};
        if (departure.isValid()) {
            columns.insert("AYRILISTARIH", departure.toString(Qt::ISODate));
            columns.insert("AYRILISSAAT", "11:00:00.000");
        }
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            columns.insert(it.key(), it.value());
        const QStringList names = columns.keys();
        QStringList params;
        for (const QString &name : names)
            params << u':' + name;
        db().execute(QString("INSERT INTO MISAFIR (%1) VALUES (%2)").arg(names.join(','), params.join(',')), columns);
        return db().lastInsertRowId();
    }

    // "Yeni Giriş": the guest list inserts a row and shows the window on it.
    void newStay()
    {
        list.doshow();
        guests().insert();
        showWindow();
    }
    void showWindow()
    {
        form.setDataSet(&guests());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }

    QLineEdit *edit(const char *name) const
    {
        auto *found = form.findChild<QLineEdit *>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    ReturningGuestBar &bar() const { return *form.returningGuestBar(); }

    // Key by key, with letters outside ASCII too.
    static void typeText(QWidget *editor, const QString &text)
    {
        editor->setFocus(Qt::TabFocusReason);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, text.mid(i, pair ? 2 : 1), Qt::NoModifier);
            if (pair)
                ++i;
        }
    }
    void save() { form.dbnvgr1()->button(DbNavigator::Button::Post)->click(); }

    // Everything a foreign guest's save asks for, set on the row, so that a test types only what
    // it examines.
    void fillForeignGuest()
    {
        for (const auto &[name, value] : std::initializer_list<std::pair<const char *, QVariant>>{
                 {"_IDODAEV", 2}, {"KIMLIKTURU", "P"}, {"KIMLIKSERINO", "EX1234567"}, {"UYRUGU", "POL"},
                 {"ADI", "Jan"}, {"SOYADI", "Nowak"}, {"BABAADI", "Piotr"}, {"CINSIYET", "E"},
                 {"MEDENIDURUM", "B"}, {"DOGUMYERI", "Gdansk"}, {"DOGUMTARIHI", QDate(1990, 5, 6)},
                 {"IKAMETADRESI", "Dluga 5"}}) {
            if (field(name).isNull())
                field(name).setValue(value);
        }
    }
};

// The colour an editor shows, read from its picture near its right edge, off the text.
QColor backgroundOf(QWidget *editor)
{
    return editor->grab().toImage().pixelColor(editor->width() - 5, editor->height() / 2);
}

} // namespace

class TestEntryAssist : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void barOffersTheLastStayAndBringsThePerson()
    {
        EntryDesk d;
        d.addStay({2023, 2, 1}, {2023, 2, 3}, {{"_IDODAEV", 2}, {"MESLEGI", "Öğrenci"}});
        d.addStay({2025, 8, 12}, {2025, 8, 14},
                  {{"MESLEGI", "Mimar"}, {"ARACPLAKANO", "35 ABC 12"}, {"NUFUSKAYITIL", "İzmir"},
                   {"NOTLAR", "Sessiz oda"}});
        d.newStay();
        QLineEdit *tcNo = d.edit("dbedtTCNO");
        EntryDesk::typeText(tcNo, "1000000014");
        QVERIFY(!d.bar().isVisible());
        EntryDesk::typeText(tcNo, "6");
        QVERIFY(d.bar().isVisible());
        QCOMPARE(d.bar().text(), QStringLiteral("Bu kişi daha önce konakladı: son geliş 12.08.2025, Otel Güneş 1 / 101"));
        // The bar asks nothing: the operator types on.
        QVERIFY(d.boxes.isEmpty());
        QCOMPARE(QApplication::focusWidget(), tcNo);

        QTest::mouseClick(d.bar().bilgileriGetirButton(), Qt::LeftButton);
        QVERIFY(!d.bar().isVisible());
        QCOMPARE(d.edit("dbedtADI")->text(), QStringLiteral("Ayşe"));
        QCOMPARE(d.edit("dbedtMESLEGI")->text(), QStringLiteral("Mimar"));
        QCOMPARE(d.edit("dbedtARACPLAKANO")->text(), QStringLiteral("35 ABC 12"));
        QCOMPARE(d.edit("dbedtNUFUSKAYITIL")->text(), QStringLiteral("İzmir"));
        QCOMPARE(d.field("DOGUMTARIHI").asDate(), QDate(1985, 3, 15));
        QCOMPARE(d.field("UYRUGU").asString(), QStringLiteral("TC"));
        // The new stay keeps its own arrival, room and notes.
        QCOMPARE(d.field("GELISTARIH").asDate(), QDate::currentDate());
        QVERIFY(d.field("_IDODAEV").isNull());
        QVERIFY(d.field("NOTLAR").isNull());
        QVERIFY(d.field("AYRILISTARIH").isNull());
        QStringList filled = d.form.FrameMisafirEdit1()->doldurulanAlanlar();
        filled.sort();
        QCOMPARE(filled, (QStringList{"ADI", "ANAADI", "ARACPLAKANO", "BABAADI", "CINSIYET", "DOGUMTARIHI",
                                      "DOGUMYERI", "IKAMETADRESI", "KIMLIKSERINO", "KIMLIKTURU", "MEDENIDURUM",
                                      "MESLEGI", "NUFUSKAYITIL", "SOYADI", "TCNO", "UYRUGU"}));
        QCOMPARE(backgroundOf(d.edit("dbedtADI")), TFrameMisafirEdit::doldurulanAlanRengi());

        // What the operator retypes is no longer marked; the rest stays marked until saved.
        QLineEdit *name = d.edit("dbedtADI");
        name->selectAll();
        EntryDesk::typeText(name, "Ayşen");
        QVERIFY(!d.form.FrameMisafirEdit1()->doldurulanAlanlar().contains("ADI"));
        QVERIFY(backgroundOf(name) != TFrameMisafirEdit::doldurulanAlanRengi());
        QCOMPARE(backgroundOf(d.edit("dbedtSOYADI")), TFrameMisafirEdit::doldurulanAlanRengi());

        d.field("_IDODAEV").setValue(1);
        d.save();
        QVERIFY2(d.flashes.isEmpty(), qPrintable(d.flashes.join('\n')));
        QCOMPARE(d.storedStays(), 3);
        QVERIFY(d.form.FrameMisafirEdit1()->doldurulanAlanlar().isEmpty());
        QCOMPARE(backgroundOf(d.edit("dbedtSOYADI")), backgroundOf(d.edit("dbedtNOTLAR")));
        QVERIFY(d.errors.isEmpty());
    }

    void serialWithNationalityFindsAForeignGuest()
    {
        EntryDesk d;
        d.addStay({2024, 4, 2}, {2024, 4, 5},
                  {{"TCNO", QVariant()}, {"UYRUGU", "DEU"}, {"KIMLIKTURU", "P"}, {"KIMLIKSERINO", "C01X00T47"},
                   {"ADI", "Hans"}, {"ANAADI", QVariant()}});
        d.newStay();
        d.field("UYRUGU").setValue("DEU");
        QLineEdit *serial = d.edit("dbedtKIMLIKSERINO");
        EntryDesk::typeText(serial, "C01X00T4");
        QVERIFY(!d.bar().isVisible());
        EntryDesk::typeText(serial, "7");
        QVERIFY(d.bar().isVisible());
        QCOMPARE(d.bar().text(), QStringLiteral("Bu kişi daha önce konakladı: son geliş 02.04.2024, Otel Güneş 1 / 101"));
        // Put aside, the same stay is not offered again for this row.
        QTest::mouseClick(d.bar().findChild<QToolButton *>("btnKapat"), Qt::LeftButton);
        QVERIFY(!d.bar().isVisible());
        EntryDesk::typeText(serial, "8");
        serial->backspace();
        d.field("KIMLIKSERINO").setValue("C01X00T47");
        QVERIFY(!d.bar().isVisible());
        QVERIFY(d.field("ADI").isNull());
    }

    // A stored stay already belongs to its person: editing it looks nothing up.
    void storedStayIsNotLookedUp()
    {
        EntryDesk d;
        d.addStay({2025, 8, 12}, {2025, 8, 14});
        d.addStay(QDate::currentDate(), {}, {{"TCNO", QVariant()}, {"UYRUGU", "DEU"}, {"KIMLIKSERINO", "X1"},
                                              {"ANAADI", QVariant()}});
        d.list.doshow();
        d.showWindow();
        QCOMPARE(d.field("KIMLIKSERINO").asString(), QStringLiteral("X1"));
        d.guests().edit();
        d.field("UYRUGU").setValue("TC");
        EntryDesk::typeText(d.edit("dbedtTCNO"), QString::number(kTcNo));
        QCOMPARE(d.guests().state(), Query::State::Edit);
        QVERIFY(!d.bar().isVisible());
    }

    void presentTwiceAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("stored");
        QTest::newRow("Cancel keeps the row") << int(QMessageBox::Cancel) << 1;
        QTest::newRow("OK saves all the same") << int(QMessageBox::Ok) << 2;
    }

    void presentTwiceAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(int, stored);
        EntryDesk d;
        const QDate yesterday = QDate::currentDate().addDays(-1);
        d.addStay(yesterday, {});
        d.newStay();
        EntryDesk::typeText(d.edit("dbedtTCNO"), QString::number(kTcNo));
        QTest::mouseClick(d.bar().bilgileriGetirButton(), Qt::LeftButton);
        d.field("_IDODAEV").setValue(2);
        d.answer = QMessageBox::StandardButton(answer);
        d.save();
        QCOMPARE(d.boxes.size(), 1);
        const MessageBoxes::Request &question = d.boxes.front();
        QCOMPARE(question.kind, MessageBoxes::Kind::Warning);
        QCOMPARE(question.defaultButton, QMessageBox::Cancel);
        QCOMPARE(question.text, QStringLiteral("Bu kişi aynı günlerde başka bir konaklamada da kayıtlı: Otel Güneş 1 / "
                                               "101, geliş %1, ayrılışı girilmemiş.\n\nYine de kaydedilsin mi?")
                                    .arg(yesterday.toString("dd.MM.yyyy")));
        QCOMPARE(d.storedStays(), stored);
        QCOMPARE(d.guests().isEditing(), stored == 1);
        QVERIFY(d.errors.isEmpty());
    }

    void transliterationOfferedOnSave_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Polish L, converted")
            << "dbedtADI" << "Łukasz" << int(QMessageBox::Yes)
            << "Adı alanındaki \"Ł\" (U+0141) bildirim dosyasına yazılamaz; dosyada \"?\" olarak görünür.\n\n"
               "Latin harfleriyle şöyle yazılsın mı?\nAdı: Łukasz → Lukasz"
            << "Lukasz";
        QTest::newRow("Cyrillic surname, declined")
            << "dbedtSOYADI" << "Иванов" << int(QMessageBox::Cancel)
            << "Soyadı alanındaki \"И\" (U+0418) bildirim dosyasına yazılamaz; dosyada \"?\" olarak görünür.\n\n"
               "Latin harfleriyle şöyle yazılsın mı?\nSoyadı: Иванов → Ivanov"
            << "";
        QTest::newRow("decomposed Turkish letter, composed")
            << "dbedtDOGUMYERI" << QStringLiteral("Mug\u0306la") << int(QMessageBox::Yes)
            << QStringLiteral("Doğumyeri alanındaki \"\u25CC\u0306\" (U+0306) bildirim dosyasına yazılamaz; dosyada "
                              "\"?\" olarak görünür.\n\nLatin harfleriyle şöyle yazılsın mı?\nDoğumyeri: Mug\u0306la → "
                              "Muğla")
            << "Muğla";
        QTest::newRow("no Latin form")
            << "dbedtIKAMETADRESI" << QStringLiteral("Dluga 5 \U0001F3E0") << int(QMessageBox::Yes)
            << QStringLiteral("İkamet adresi alanındaki \"\U0001F3E0\" (U+1F3E0) bildirim dosyasına yazılamaz ve "
                              "Latin harfleriyle karşılığı yok; lütfen düzeltin.")
            << "";
    }

    void transliterationOfferedOnSave()
    {
        QFETCH(QString, editor);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QString, stored);
        EntryDesk d;
        d.newStay();
        QLineEdit *typedInto = d.edit(qPrintable(editor));
        EntryDesk::typeText(typedInto, typed);
        d.fillForeignGuest();
        d.edit("dbedtNOTLAR")->setFocus();
        d.answer = QMessageBox::StandardButton(answer);
        d.save();
        QCOMPARE(d.boxes.size(), 1);
        QCOMPARE(d.boxes.front().text, question);
        QCOMPARE(d.storedStays(), stored.isEmpty() ? 0 : 1);
        if (stored.isEmpty()) {
            // Refused: the row stays as typed, with the focus on the field concerned.
            QVERIFY(d.guests().isEditing());
            QCOMPARE(typedInto->text(), typed);
            QCOMPARE(QApplication::focusWidget(), typedInto);
        } else {
            const QString column = editor.mid(5);
            QCOMPARE(d.db().scalar(QString("SELECT %1 FROM MISAFIR").arg(column)).toString(), stored);
        }
        QVERIFY(d.flashes.isEmpty());
    }

    void documentZoneReadIntoTheRow_data()
    {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Ctrl+M") << true;
        QTest::newRow("button") << false;
    }

    void documentZoneReadIntoTheRow()
    {
        QFETCH(bool, byShortcut);
        EntryDesk d;
        d.newStay();
        QString shownResult;
        bool acceptEnabled = false;
        QTimer::singleShot(0, [&] {
            TFormMrzOku *window = d.form.formMrzOku();
            QVERIFY(window->isVisible());
            QCOMPARE(window->windowTitle(), QStringLiteral("Kimlik/Pasaport Oku"));
            // As a desk reader sends it: each line followed by Enter.
            for (const char *line : {"I<TURA12B34567510000000146<<<<", "8503150F3103153TUR<<<<<<<<<<<0",
                                     "YILMAZ<<AYSE<NUR<<<<<<<<<<<<<<"}) {
                QTest::keyClicks(window->memMrz(), QLatin1String(line));
                QTest::keyClick(window->memMrz(), Qt::Key_Return);
            }
            shownResult = window->lblSonuc()->text();
            acceptEnabled = window->btnAktar()->isEnabled();
            QTest::keyClick(window->memMrz(), Qt::Key_Return, Qt::ControlModifier);
        });
        if (byShortcut)
            QTest::keyClick(&d.form, Qt::Key_M, Qt::ControlModifier);
        else
            QTest::mouseClick(d.form.btnKimlikOku(), Qt::LeftButton);
        QTRY_VERIFY(!d.form.formMrzOku()->isVisible());
        QVERIFY(acceptEnabled);
        QCOMPARE(shownResult, QStringLiteral("Soyadı: YILMAZ    Adı: AYSE NUR\nBelge: Nüfus Hüviyet Cüzdanı A12B34567    "
                                             "Uyruk: TC\nDoğum tarihi: 15.03.1985    Cinsiyet: Kadın\nTC No: 10000000146"));
        QCOMPARE(d.edit("dbedtSOYADI")->text(), QStringLiteral("YILMAZ"));
        QCOMPARE(d.edit("dbedtADI")->text(), QStringLiteral("AYSE NUR"));
        QCOMPARE(d.edit("dbedtTCNO")->text(), QStringLiteral("10000000146"));
        QCOMPARE(d.edit("dbedtKIMLIKSERINO")->text(), QStringLiteral("A12B34567"));
        QCOMPARE(d.field("UYRUGU").asString(), QStringLiteral("TC"));
        QCOMPARE(d.form.FrameMisafirEdit1()->dblkcbbUYRUGU()->currentText(), QStringLiteral("TÜRKİYE"));
        QCOMPARE(d.field("KIMLIKTURU").asString(), QStringLiteral("N"));
        QCOMPARE(d.field("CINSIYET").asString(), QStringLiteral("K"));
        QCOMPARE(d.field("DOGUMTARIHI").asDate(), QDate(1985, 3, 15));
        QStringList filled = d.form.FrameMisafirEdit1()->doldurulanAlanlar();
        filled.sort();
        QCOMPARE(filled, (QStringList{"ADI", "CINSIYET", "DOGUMTARIHI", "KIMLIKSERINO", "KIMLIKTURU", "SOYADI", "TCNO",
                                      "UYRUGU"}));
        QCOMPARE(backgroundOf(d.edit("dbedtTCNO")), TFrameMisafirEdit::doldurulanAlanRengi());
        QVERIFY(d.errors.isEmpty());
    }

    void brokenZoneFillsNothing()
    {
        EntryDesk d;
        d.newStay();
        QString shownResult;
        bool acceptEnabled = true;
        QTimer::singleShot(0, [&] {
            TFormMrzOku *window = d.form.formMrzOku();
            // The birth date's check digit is 9 instead of 2; typed loosely, in lower case.
            QTest::keyClicks(window->memMrz(), "p<utoeriksson<<anna<maria<<<<<<<<<<<<<<<<<<<");
            QTest::keyClick(window->memMrz(), Qt::Key_Return);
            QTest::keyClicks(window->memMrz(), "L898902C36UTO7408129F1204159ZE184226B<<<<<10");
            shownResult = window->lblSonuc()->text();
            acceptEnabled = window->btnAktar()->isEnabled();
            QTest::keyClick(window->memMrz(), Qt::Key_Return, Qt::ControlModifier);
            QVERIFY(window->isVisible());
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QTest::keyClick(&d.form, Qt::Key_M, Qt::ControlModifier);
        QTRY_VERIFY(!d.form.formMrzOku()->isVisible());
        QVERIFY(!acceptEnabled);
        QVERIFY2(shownResult.startsWith(QStringLiteral("Doğum tarihinin denetim hanesi tutmuyor")), qPrintable(shownResult));
        QVERIFY(d.field("SOYADI").isNull());
        QVERIFY(d.form.FrameMisafirEdit1()->doldurulanAlanlar().isEmpty());
    }
};

QTEST_MAIN(TestEntryAssist)
#include "tst_entryassist.moc"
