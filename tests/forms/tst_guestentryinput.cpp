#include "app/Startup.h"
#include "controls/DbLookupComboBox.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/EditorBinding.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormMisafirEdit.h"
#include "forms/TFrameMisafirEdit.h"
#include "gen/TKimlikRowValidate.h"
#include "gen/TransientMessage.h"

#include "TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QToolButton>
#include <QtTest>
#include "CapturedErrors.h"

// What the operator types into the guest entry window reaches the row as meant: lookup lists find
// the entry typed, times take the usual ways of writing them, texts keep to their columns, and a
// refused save leaves its mark on the editor concerned.
namespace {

const QString kGuestSql = QStringLiteral(
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
    "WHERE (&staticfilter) AND (&filter)\nGROUP BY IDMISAFIR\nHAVING (&having)\nORDER BY IDMISAFIR DESC");

using testsupport::CapturedErrors;

// The entry window on a new row of a fresh register with three facilities' rooms; the save
// check runs the guest validation as the guest list does.
struct EntryWindow {
    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    Tdm1 module;
    Query guests{module.dbMain()};
    TFormMisafirEdit form{&module};
    MessageBoxes::ScopedPresenter presenter{[](const MessageBoxes::Request &) { return QMessageBox::Ok; }};
    QStringList flashes;
    ScopedMesajGosterHook flashHook{[this](const QString &text, const QString &) { flashes << text; }};

    EntryWindow()
    {
        guests.setSql(kGuestSql);
        for (const char *macro : {"staticfilter", "filter", "having"})
            guests.setMacro(QLatin1String(macro), QStringLiteral("1"));
        guests.onBeforePost = [this](Query &query) {
            TKimlikRowValidate validator;
            validator.Fields = &query;
            if (validator.isvalid())
                return;
            if (validator.LastErrorField())
                form.focusField(validator.LastErrorField());
            mesajGoster(validator.LastErrorMsg(), QString());
            throw SilentAbort();
        };
        Database &db = *module.dbMain();
        db.execute("INSERT INTO TESISLER (IDTESISLER,TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES "
                   "(1,11,'P','Zeytin Otel',1),(2,12,'J','Asma Pansiyon',0),(3,13,'P','Badem Evleri',1)");
        db.execute("INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES "
                   "(1,1,'102'),(2,1,'101'),(3,2,'1'),(4,3,'201'),(5,1,'11'),(6,3,'110')");
        guests.open();
        guests.insert();
        form.setDataSet(&guests);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qWarning("entry window not shown");
    }
    ~EntryWindow() { form.close(); }

    TFrameMisafirEdit *frame() const { return form.FrameMisafirEdit1(); }
    DbLookupComboBox *box(const QString &name) const
    {
        return form.findChild<DbLookupComboBox *>(name);
    }
    QLineEdit *edit(const char *name) const { return form.findChild<QLineEdit *>(QLatin1String(name)); }
    Field &field(const QString &name) { return guests.fieldByName(name); }

    // Key by key, as a person types; Turkish letters too (keyClicks takes only Latin-1).
    static void typeText(QWidget *target, const QString &text)
    {
        for (const QChar c : text) {
            const Qt::Key key = c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, target, key, QString(c), Qt::NoModifier);
        }
    }
    void typeInto(QWidget *editor, const QString &text)
    {
        editor->setFocus(Qt::TabFocusReason);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->selectAll();
        typeText(editor, text);
    }
    // Lets the key-search interval pass, so the next key starts a new search.
    static void pause() { QTest::qWait(QApplication::keyboardInputInterval() + 150); }
};

} // namespace

class TestGuestEntryInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void lookupFindsWhatIsTyped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before"); // typed first, then a pause; empty keeps the box empty
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        const QString nationality = "dblkcbbUYRUGU";
        const QString room = "dblkcbbODAEV";
        QTest::newRow("GER on an empty box") << nationality << "UYRUGU" << "" << "GER" << "GERMANY (Deutschland)" << "DEU";
        QTest::newRow("FRA on an empty box") << nationality << "UYRUGU" << "" << "FRA" << "FRANCE" << "FRA";
        QTest::newRow("ITA on an empty box") << nationality << "UYRUGU" << "" << "ITA" << "ITALY" << "ITA";
        QTest::newRow("ita in small letters") << nationality << "UYRUGU" << "" << "ita" << "ITALY" << "ITA";
        QTest::newRow("tür, Turkish capitals") << nationality << "UYRUGU" << "" << "tür" << "TÜRKİYE" << "TC";
        QTest::newRow("türki, dotted i") << nationality << "UYRUGU" << "" << "türki" << "TÜRKİYE" << "TC";
        QTest::newRow("kıbrıs, dotless i") << nationality << "UYRUGU" << "" << "kuzey kıb"
                                            << "KUZEY KIBRIS TURK CUMHURİYETİ" << "KKTC";
        QTest::newRow("FRA on a filled box") << nationality << "UYRUGU" << "GER" << "FRA" << "FRANCE" << "FRA";
        QTest::newRow("GER on a filled box") << nationality << "UYRUGU" << "ITA" << "GER" << "GERMANY (Deutschland)" << "DEU";
        QTest::newRow("GG moves to the next G") << nationality << "UYRUGU" << "" << "GG" << "GAMBIA" << "GMB";
        QTest::newRow("nothing starts so: the box keeps its row") << nationality << "UYRUGU" << "FRA" << "XYZ" << "FRANCE" << "FRA";
        QTest::newRow("typing on past a match keeps it") << nationality << "UYRUGU" << "" << "FRANCEX" << "FRANCE" << "FRA";
        QTest::newRow("room 102 on an empty box") << room << "_IDODAEV" << "" << "102" << "102" << "1";
        QTest::newRow("room 11, not 110 listed before it") << room << "_IDODAEV" << "" << "11" << "11" << "5";
        QTest::newRow("room 110") << room << "_IDODAEV" << "" << "110" << "110" << "6";
        QTest::newRow("room 1 then 1 again") << room << "_IDODAEV" << "1" << "1" << "1" << "3";
        QTest::newRow("room 201 on a filled box") << room << "_IDODAEV" << "101" << "201" << "201" << "4";
        QTest::newRow("identity type") << "dblkcbbKIMLIKTURU" << "KIMLIKTURU" << "" << "nüf" << "Nüfus Hüviyet Cüzdanı" << "N";
    }

    void lookupFindsWhatIsTyped()
    {
        QFETCH(QString, box);
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        EntryWindow w;
        DbLookupComboBox *lookup = w.box(box);
        QVERIFY(lookup);
        QCOMPARE(lookup->currentIndex(), -1);
        lookup->setFocus(Qt::TabFocusReason);
        if (!before.isEmpty()) {
            w.typeText(lookup, before);
            QVERIFY(lookup->currentIndex() >= 0);
            w.pause();
        }
        w.typeText(lookup, typed);
        QCOMPARE(lookup->currentText(), shown);
        QCOMPARE(w.field(field).asString(), stored);
        QVERIFY(w.errors.messages.isEmpty());
    }

    // A pause longer than the key-search interval starts a new search.
    void pauseStartsANewSearch()
    {
        EntryWindow w;
        DbLookupComboBox *lookup = w.box("dblkcbbUYRUGU");
        lookup->setFocus(Qt::TabFocusReason);
        w.typeText(lookup, "G");
        w.pause();
        w.typeText(lookup, "F");
        QCOMPARE(lookup->currentText(), QString("FAEROE ISLANDS"));
        w.typeText(lookup, "RA");
        QCOMPARE(lookup->currentText(), QString("FRANCE"));
    }

    // A space that starts nothing opens the drop-down, as in any list box.
    void spaceOnItsOwnOpensTheDropDown()
    {
        EntryWindow w;
        DbLookupComboBox *lookup = w.box("dblkcbbUYRUGU");
        lookup->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lookup, Qt::Key_Space);
        QTRY_VERIFY(lookup->view()->isVisible());
        QCOMPARE(lookup->currentIndex(), -1);
        lookup->hidePopup();
    }

    // With the drop-down open the keys move the highlight the same way; Enter chooses it.
    void openDropDownSearchesTheSameWay()
    {
        EntryWindow w;
        DbLookupComboBox *lookup = w.box("dblkcbbUYRUGU");
        lookup->setFocus(Qt::TabFocusReason);
        lookup->showPopup();
        QAbstractItemView *list = lookup->view();
        QTRY_VERIFY(list->isVisible());
        w.typeText(list, "GER");
        QCOMPARE(list->currentIndex().data().toString(), QString("GERMANY (Deutschland)"));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(lookup->currentText(), QString("GERMANY (Deutschland)"));
        QCOMPARE(w.field("UYRUGU").asString(), QString("DEU"));
    }

    // Every entry shows whole in the drop-down, and a chosen value too long for the box shows its
    // beginning, the whole text being its tool tip.
    void dropDownIsWideEnoughForItsLongestEntry()
    {
        EntryWindow w;
        for (const char *name : {"dblkcbbUYRUGU", "dblkcbbKIMLIKTURU", "dblkcbbODAEV"}) {
            DbLookupComboBox *lookup = w.box(name);
            lookup->showPopup();
            QAbstractItemView *list = lookup->view();
            QTRY_VERIFY(list->isVisible());
            const QFontMetrics metrics = list->fontMetrics();
            int widest = 0;
            for (int row = 0; row < lookup->count(); ++row)
                widest = qMax(widest, metrics.horizontalAdvance(lookup->itemText(row)));
            QVERIFY2(list->viewport()->width() >= widest, name);
            QVERIFY2(list->window()->width() >= lookup->width(), name);
            lookup->hidePopup();
        }
        DbLookupComboBox *nationality = w.box("dblkcbbUYRUGU");
        nationality->setFocus(Qt::TabFocusReason);
        w.typeText(nationality, "CONGO - THE");
        const QString whole = "CONGO - THE DEMOCRATIC REPUBLIC OF THE (formerly Zaire)";
        QCOMPARE(nationality->currentText(), whole);
        nationality->repaint();
        QCOMPARE(nationality->toolTip(), whole);
        w.pause();
        w.typeText(nationality, "FRA");
        nationality->repaint();
        QCOMPARE(nationality->toolTip(), QString());
    }

    // In the program's theme the highlighted row of a drop-down is the theme's colour with light
    // text on it, not a blank bar.
    void highlightedRowIsReadableInTheTheme()
    {
        Q_INIT_RESOURCE(app);
        Startup::applyTheme();
        const auto plain = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        EntryWindow w;
        for (const char *name : {"dblkcbbUYRUGU", "dblkcbbKIMLIKTURU", "dblkcbbODAEV"}) {
            DbLookupComboBox *lookup = w.box(name);
            lookup->setFocus(Qt::TabFocusReason);
            lookup->showPopup();
            QAbstractItemView *list = lookup->view();
            QTRY_VERIFY(list->isVisible());
            const QModelIndex second = list->model()->index(1, lookup->modelColumn());
            list->setCurrentIndex(second);
            QVERIFY(list->selectionModel()->isSelected(second));
            const QRect row = list->visualRect(second);
            const QImage picture = list->viewport()->grab(row.adjusted(0, 1, 0, -1)).toImage();
            int themed = 0;
            int light = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    const QColor pixel = picture.pixelColor(x, y);
                    if (qAbs(pixel.red() - 0x7b) < 20 && qAbs(pixel.green() - 0x5e) < 20 && qAbs(pixel.blue() - 0xa7) < 20)
                        ++themed;
                    else if (pixel.lightness() > 200)
                        ++light;
                }
            }
            const int all = picture.width() * picture.height();
            QVERIFY2(themed > all / 2, name);
            QVERIFY2(light > all / 50, name);
            lookup->hidePopup();
        }
    }

    void timesAreTakenWithOneHourDigitAndADot_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QTime>("time");
        QTest::newRow("9:30") << "9:30" << QTime(9, 30);
        QTest::newRow("9.30") << "9.30" << QTime(9, 30);
        QTest::newRow("09:30:15") << "09:30:15" << QTime(9, 30, 15);
        QTest::newRow("17.45") << "17.45" << QTime(17, 45);
    }

    void timesAreTakenWithOneHourDigitAndADot()
    {
        QFETCH(QString, typed);
        QFETCH(QTime, time);
        EntryWindow w;
        QLineEdit *arrival = w.edit("dbedtGELISSAAT");
        QVERIFY(arrival);
        w.typeInto(arrival, typed);
        QCOMPARE(arrival->text(), typed);
        w.edit("dbedtNOTLAR")->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.field("GELISSAAT").asTime(), time);
        QVERIFY(w.errors.messages.isEmpty());
    }

    // Every text editor of the window holds no more than its column.
    void textEditorsKeepToTheirColumns()
    {
        EntryWindow w;
        int checked = 0;
        for (QLineEdit *editor : w.frame()->findChildren<QLineEdit *>()) {
            const Field *field = w.frame()->ds_misafir()->fieldOf(editor);
            if (!field || !isTextType(field->type()) || field->size() <= 0)
                continue;
            QVERIFY2(editor->maxLength() <= field->size(), qPrintable(field->name()));
            ++checked;
        }
        QCOMPARE(checked, 13);
        QLineEdit *plate = w.edit("dbedtARACPLAKANO");
        w.typeInto(plate, QString(40, '7'));
        QCOMPARE(plate->text().size(), w.field("ARACPLAKANO").size());
    }

    // After a refused save the offending editor keeps a red frame until its field changes; other
    // fields changing do not take it away.
    void refusedSaveLeavesARedFrameUntilTheFieldChanges()
    {
        EntryWindow w;
        for (const auto &[name, value] : std::initializer_list<std::pair<const char *, QVariant>>{
                 {"KIMLIKTURU", "N"}, {"KIMLIKSERINO", "A01"}, {"UYRUGU", "TC"}, {"ADI", "Ayşe"},
                 {"SOYADI", "Yılmaz"}, {"BABAADI", "Ali"}, {"ANAADI", "Fatma"}, {"CINSIYET", "K"},
                 {"MEDENIDURUM", "B"}, {"DOGUMYERI", "İzmir"}, {"DOGUMTARIHI", QDate(1990, 5, 6)},
                 {"IKAMETADRESI", "Alsancak"}, {"_IDODAEV", 1}})
            w.field(QLatin1String(name)).setValue(value);
        QLineEdit *tcNo = w.frame()->dbedtTCNO();
        w.typeInto(tcNo, "12345678901");
        QCOMPARE(w.frame()->refusedEditor(), nullptr);
        w.form.dbnvgr1()->button(DbNavigator::Button::Post)->click();
        QCOMPARE(w.flashes, QStringList{"Tc No Hatalı."});
        QCOMPARE(w.frame()->refusedEditor(), tcNo);
        QVERIFY2(tcNo->styleSheet().contains("border: 2px solid rgb(212, 0, 0)"), qPrintable(tcNo->styleSheet()));
        const QImage picture = tcNo->grab().toImage();
        const QColor frame = picture.pixelColor(0, picture.height() / 2);
        QVERIFY2(frame.red() > 180 && frame.green() < 60 && frame.blue() < 60, qPrintable(frame.name()));

        w.typeInto(w.edit("dbedtMESLEGI"), "Öğretmen");
        QCOMPARE(w.frame()->refusedEditor(), tcNo);

        w.typeInto(tcNo, "1234567895");
        QCOMPARE(w.frame()->refusedEditor(), nullptr);
        QVERIFY(!tcNo->styleSheet().contains("border"));
        QVERIFY(w.errors.messages.isEmpty());
    }
};

QTEST_MAIN(TestGuestEntryInput)
#include "tst_guestentryinput.moc"
