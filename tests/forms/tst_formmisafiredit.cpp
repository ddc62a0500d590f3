#include "controls/DbLookupComboBox.h"
#include "controls/DbRadioGroup.h"
#include "controls/NullableDateEdit.h"
#include "controls/TVrnHeaderPanel.h"
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

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QToolButton>
#include <QtTest>
#include "CapturedErrors.h"

namespace {

const QString kGuestSql = QStringLiteral(
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
    "WHERE (&staticfilter) AND (&filter)\n"
    "GROUP BY IDMISAFIR\n"
    "HAVING (&having)\n"
    "ORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC");

// 1,2,...,9 give the check digits 5 and 0.
const QString kValidTcNo = QStringLiteral("12345678950");
const QString kWrongTcNo = QStringLiteral("12345678901");

using testsupport::CapturedErrors;

// The entry window on a fresh database, pointed at a guest query built like the guest list's,
// whose save check runs the guest validation the way the guest list does.
struct EntryWindow {
    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    Tdm1 module;
    Query guests{module.dbMain()};
    TFormMisafirEdit form{&module};

    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        questions << request.text;
        return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }};
    QStringList flashes;
    ScopedMesajGosterHook flashHook{[this](const QString &text, const QString &) { flashes << text; }};

    explicit EntryWindow(bool withRooms = true)
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
        if (withRooms)
            addRooms();
    }
    ~EntryWindow()
    {
        answer = QMessageBox::Discard;
        form.close();
    }

    // An inactive facility sorts before the active ones; within them by name, then room number.
    void addRooms()
    {
        Database &db = *module.dbMain();
        db.execute("INSERT INTO TESISLER (IDTESISLER,TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES "
                   "(1,11,'P','Zeytin Otel',1),(2,12,'J','Asma Pansiyon',0),(3,13,'P','Badem Evleri',1)");
        db.execute("INSERT INTO ODAEV (IDODAEV,_IDTESISLER,ODAEVNO) VALUES "
                   "(1,1,'102'),(2,1,'101'),(3,2,'1'),(4,3,'201')");
    }

    int addGuest(const QVariantMap &overrides = {})
    {
        QVariantMap values{{"_IDODAEV", 2},
                           {"KIMLIKTURU", "P"},
                           {"KIMLIKSERINO", "U123"},
                           {"UYRUGU", "DEU"},
                           {"ADI", "Hans"},
                           {"SOYADI", "Müller"},
                           {"BABAADI", "Karl"},
                           {"CINSIYET", "E"},
                           {"MEDENIDURUM", "B"},
                           {"DOGUMYERI", "Köln"},
                           {"DOGUMTARIHI", "1980-02-01"},
                           {"IKAMETADRESI", "Ringstraße 4"},
                           {"GELISTARIH", QDate::currentDate().addDays(-2).toString(Qt::ISODate)},
                           {"GELISSAAT", "09:05:00.000"}};
        for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
            values.insert(it.key(), it.value());
        QStringList names;
        QStringList params;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            names << it.key();
            params << ":p" + QString::number(params.size());
        }
        QVariantMap bound;
        for (int i = 0; i < names.size(); ++i)
            bound.insert("p" + QString::number(i), values.value(names[i]));
        module.dbMain()->execute(
            QString("INSERT INTO MISAFIR (%1) VALUES (%2)").arg(names.join(','), params.join(',')), bound);
        return module.dbMain()->scalar("SELECT MAX(IDMISAFIR) FROM MISAFIR").toInt();
    }

    // What the guest list does for "Yeni Giriş": a new row first, then the window on it.
    void openOnNewRow()
    {
        guests.open();
        guests.insert();
        showOnQuery();
    }

    void openOnGuest(int id)
    {
        guests.open();
        for (int row = 0; guests.moveTo(row); ++row) {
            if (guests.fieldByName("IDMISAFIR").asInteger() == id)
                break;
        }
        QCOMPARE(guests.fieldByName("IDMISAFIR").asInteger(), id);
        showOnQuery();
    }

    void showOnQuery()
    {
        form.setDataSet(&guests);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    TFrameMisafirEdit *frame() const { return form.FrameMisafirEdit1(); }
    template <typename T>
    T *child(const char *name) const
    {
        T *found = form.findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    Field &field(const char *name) { return guests.fieldByName(QLatin1String(name)); }
    int storedGuests() { return module.dbMain()->scalar("SELECT COUNT(*) FROM MISAFIR").toInt(); }
    QVariant stored(int id, const char *column)
    {
        return module.dbMain()->scalar(QString("SELECT %1 FROM MISAFIR WHERE IDMISAFIR=%2").arg(column).arg(id));
    }
    void press(DbNavigator::Button button) { form.dbnvgr1()->button(button)->click(); }

    void type(QLineEdit *editor, const QString &text)
    {
        editor->setFocus(Qt::TabFocusReason);
        editor->selectAll();
        typeText(editor, text);
    }
    // Key by key, with Turkish letters too (keyClicks takes only ASCII).
    static void typeText(QWidget *editor, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Types a date as the operator does, day first, and finishes the entry with Enter.
    void typeDate(NullableDateEdit *editor, const QString &text)
    {
        editor->setFocus(Qt::TabFocusReason);
        if (!editor->isNull())
            editor->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void choose(DbLookupComboBox *box, const QString &text)
    {
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // The required citizen data, set on the row directly, so a test types only what it examines.
    void fillCitizen()
    {
        for (const auto &[name, value] : std::initializer_list<std::pair<const char *, QVariant>>{
                 {"KIMLIKTURU", "N"}, {"KIMLIKSERINO", "A01"}, {"UYRUGU", "TC"}, {"ADI", "Ayşe"},
                 {"SOYADI", "Yılmaz"}, {"BABAADI", "Ali"}, {"ANAADI", "Fatma"}, {"CINSIYET", "K"},
                 {"MEDENIDURUM", "B"}, {"DOGUMYERI", "İzmir"}, {"DOGUMTARIHI", QDate(1990, 5, 6)},
                 {"IKAMETADRESI", "Alsancak"}})
            guests.fieldByName(QLatin1String(name)).setValue(value);
    }
};

// The background an editor shows, read from its picture just inside the frame.
QColor backgroundOf(QWidget *editor)
{
    const QImage picture = editor->grab().toImage();
    return picture.pixelColor(picture.width() / 2, 3);
}

// Yellow, allowing for the shading that a style lays over a combo box.
bool isMarked(QWidget *editor)
{
    const QColor colour = backgroundOf(editor);
    return colour.red() > 230 && colour.green() > 230 && colour.blue() < 130;
}

QStringList markedEditors(const EntryWindow &w)
{
    QStringList marked;
    const QList<QWidget *> editors = w.frame()->scrlbx1()->widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *editor : editors) {
        if (auto *choice = qobject_cast<DbRadioGroup *>(editor)) {
            if (choice->captionColor() == TFrameMisafirEdit::gerekliSecimRengi())
                marked << editor->objectName();
        } else if (!qobject_cast<QLabel *>(editor) && isMarked(editor)) {
            marked << editor->objectName();
        }
    }
    marked.sort();
    return marked;
}

// The editors in tab order: object name, caption of the label (or of the choice), its colour
// (none for a choice) and the field.
struct EditorRow {
    const char *name;
    const char *caption;
    QColor colour;
    const char *field;
};

const QColor maroon(128, 0, 0);
const QColor purple(128, 0, 128);
const QColor black(0, 0, 0);
const QColor navy(0, 0, 128);

const QList<EditorRow> &editorRows()
{
    static const QList<EditorRow> rows{
        {"dblkcbbKIMLIKTURU", "KIMLIK TURU", maroon, "KIMLIKTURU"},
        {"dbedtKIMLIKSERINO", "KIMLIK SERINO", maroon, "KIMLIKSERINO"},
        {"dblkcbbUYRUGU", "UYRUGU", maroon, "UYRUGU"},
        {"dbedtADI", "ADI", maroon, "ADI"},
        {"dbedtSOYADI", "SOYADI", maroon, "SOYADI"},
        {"dbedtTCNO", "TC NO", purple, "TCNO"},
        {"dbedtDOGUMYERI", "DOGUM YERI", maroon, "DOGUMYERI"},
        {"jvdbdtdtDOGUMTARIHI", "DOGUM TARIHI", maroon, "DOGUMTARIHI"},
        {"dbedtBABAADI", "BABAADI", maroon, "BABAADI"},
        {"dbrgrpCINSIYET", "CİNSİYET", QColor(), "CINSIYET"},
        {"dbrgrpMEDENIDURUM", "MEDENİ DURUM", QColor(), "MEDENIDURUM"},
        {"dbedtANAADI", "ANAADI", black, "ANAADI"},
        {"dbedtIKAMETADRESI", "IKAMET ADRESI", maroon, "IKAMETADRESI"},
        {"dbedtARACPLAKANO", "ARAC PLAKANO", black, "ARACPLAKANO"},
        {"dbedtMESLEGI", "İŞİ/MESLEĞİ", black, "MESLEGI"},
        {"dbedtNUFUSKAYITIL", "NUFUSKAYIT IL", purple, "NUFUSKAYITIL"},
        {"dbedtNUFUSKAYITILCE", "NUFUSKAYIT ILCE", purple, "NUFUSKAYITILCE"},
        {"dbedtNUFUSKAYITMAH", "NUFUSKAYIT MAH", purple, "NUFUSKAYITMAH"},
        {"dbedtNUFUSCILT", "NUFUS CILT", purple, "NUFUSCILT"},
        {"dbedtNUFUSAILESIRANO", "NUFUS AILE SIRANO", purple, "NUFUSAILESIRANO"},
        {"dbedtNUFUSSIRANO", "NUFUS SIRANO", purple, "NUFUSSIRANO"},
        {"jvdbdtdtGELISTARIH", "GELIS TARIH", maroon, "GELISTARIH"},
        {"dbedtGELISSAAT", "GELIS SAAT", maroon, "GELISSAAT"},
        {"dblkcbbODAEV", "VERİLEN ODA/EV", navy, "_IDODAEV"},
        {"jvdbdtdtAYRILISTARIH", "AYRILIS TARIH", black, "AYRILISTARIH"},
        {"dbedtAYRILISSAAT", "AYRILIS SAAT", black, "AYRILISSAAT"},
        {"dbedtNOTLAR", "NOTLARIM", black, "NOTLAR"},
    };
    return rows;
}

// The editor that a focused control belongs to (a radio button belongs to its choice).
QString owningEditor(QWidget *focused, const TFrameMisafirEdit *frame)
{
    const QWidget *area = frame->scrlbx1()->widget();
    for (QWidget *w = focused; w; w = w->parentWidget()) {
        if (w->parentWidget() == area)
            return w->objectName();
    }
    return focused ? QStringLiteral("<outside: %1>").arg(focused->objectName()) : QStringLiteral("<none>");
}

} // namespace

class TestFormMisafirEdit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void windowLayout()
    {
        EntryWindow w;
        QCOMPARE(w.form.windowTitle(), QString("Misafir Düzenleme"));
        QCOMPARE(w.form.size(), QSize(444, 602));
        QCOMPARE(w.form.headerPanel()->LabelCap()->text(), QString("MİSAFİR KAYDI"));
        QCOMPARE(w.form.headerPanel()->ImageIndex(), 108);
        QCOMPARE(w.frame()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(), 1);
        QCOMPARE(w.child<QLabel>("lblTcVatandasi")->text(), QString("TC VATANDAŞI İÇİN"));
        QCOMPARE(w.child<QLabel>("lblKonaklama")->text(), QString("KONAKLAMA BİLGİLERİ"));
        QVERIFY(w.child<QLabel>("lblKonaklama")->font().bold());
        QVERIFY(w.child<QLabel>("lblKonaklama")->font().underline());
    }

    void editorsCarryTheirLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("field");
        for (const EditorRow &row : editorRows())
            QTest::newRow(row.name) << QString(row.name) << QString(row.caption) << row.colour << QString(row.field);
    }
    void editorsCarryTheirLabels()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QColor, colour);
        QFETCH(QString, field);
        EntryWindow w;
        QWidget *editor = w.form.findChild<QWidget *>(name);
        QVERIFY(editor);
        QCOMPARE(w.frame()->editorFor(field), editor);
        if (auto *choice = qobject_cast<DbRadioGroup *>(editor)) {
            QCOMPARE(choice->title(), caption);
            QVERIFY(!w.frame()->labelOf(editor));
            return;
        }
        QLabel *label = w.frame()->labelOf(editor);
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        // The label stands right above its editor.
        QCOMPARE(label->x(), editor->x());
        QVERIFY(label->geometry().bottom() < editor->y());
    }

    void tabOrderFollowsTheEntrySequence()
    {
        EntryWindow w;
        w.openOnNewRow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QStringList expected;
        for (const EditorRow &row : editorRows())
            expected << row.name;
        // One Tab press per editor: a choice is one stop, and so is a date editor.
        QStringList visited{owningEditor(QApplication::focusWidget(), w.frame())};
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << owningEditor(QApplication::focusWidget(), w.frame());
        }
        QCOMPARE(visited, expected);
    }

    void newRowGetsTheArrivalMoment()
    {
        EntryWindow w;
        const QTime before = QTime::currentTime().addMSecs(-1000);
        w.openOnNewRow();
        const QTime after = QTime::currentTime();
        QCOMPARE(w.guests.state(), Query::State::Insert);
        QCOMPARE(w.field("GELISTARIH").asDate(), QDate::currentDate());
        const QTime arrival = w.field("GELISSAAT").asTime();
        QVERIFY2(arrival >= before && arrival <= after, qPrintable(arrival.toString()));
        QCOMPARE(arrival.msec(), 0);
        for (const char *empty : {"KIMLIKTURU", "UYRUGU", "_IDODAEV", "CINSIYET", "MEDENIDURUM", "ADI", "AYRILISTARIH"})
            QVERIFY2(w.field(empty).isNull(), empty);
        QCOMPARE(w.child<NullableDateEdit>("jvdbdtdtGELISTARIH")->text(), QDate::currentDate().toString("dd.MM.yyyy"));
        QCOMPARE(w.form.focusWidget(), w.frame()->dblkcbbKIMLIKTURU());
        QVERIFY(!w.frame()->rowChanged());
        // The window runs the defaults only while it is shown.
        w.form.close();
        QVERIFY(!w.guests.onNewRecord);
    }

    void existingGuestIsShownUnchanged()
    {
        EntryWindow w;
        const QString address = "Şehitler Mah. Değirmen Sk. No:94 D:20 Ortaköy/Osmaniye";
        const int id = w.addGuest({{"CINSIYET", "K"}, {"MEDENIDURUM", "E"}, {"_IDODAEV", 4}, {"IKAMETADRESI", address}});
        w.openOnGuest(id);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.edit("dbedtADI")->text(), QString("Hans"));
        QCOMPARE(w.frame()->dblkcbbKIMLIKTURU()->currentText(), QString("Pasaport"));
        QCOMPARE(w.frame()->dblkcbbUYRUGU()->currentText(), QString("GERMANY (Deutschland)"));
        QCOMPARE(w.frame()->dblkcbbODAEV()->currentText(), QString("201"));
        QCOMPARE(w.child<NullableDateEdit>("jvdbdtdtDOGUMTARIHI")->text(), QString("01.02.1980"));
        QCOMPARE(w.child<NullableDateEdit>("jvdbdtdtAYRILISTARIH")->text(), QString());
        QCOMPARE(w.edit("dbedtGELISSAAT")->text(), QString("09:05:00"));
        // A long address is shown from its beginning.
        QCOMPARE(w.edit("dbedtIKAMETADRESI")->text(), address);
        QCOMPARE(w.edit("dbedtIKAMETADRESI")->cursorPosition(), 0);
        QVERIFY(w.frame()->dbrgrpCINSIYET()->button(1)->isChecked());
        QVERIFY(w.frame()->dbrgrpMEDENIDURUM()->button(1)->isChecked());
        QCOMPARE(w.guests.state(), Query::State::Browse);

        w.type(w.edit("dbedtADI"), "Jürgen");
        QCOMPARE(w.guests.state(), Query::State::Edit);
        QCOMPARE(w.field("ADI").asString(), QString("Jürgen"));
    }

    void choicesStoreTheirCodes_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("code");
        QTest::newRow("Erkek") << "dbrgrpCINSIYET" << 0 << "CINSIYET" << "E";
        QTest::newRow("Kadın") << "dbrgrpCINSIYET" << 1 << "CINSIYET" << "K";
        QTest::newRow("Bekar") << "dbrgrpMEDENIDURUM" << 0 << "MEDENIDURUM" << "B";
        QTest::newRow("Evli") << "dbrgrpMEDENIDURUM" << 1 << "MEDENIDURUM" << "E";
    }
    void choicesStoreTheirCodes()
    {
        QFETCH(QString, choice);
        QFETCH(int, item);
        QFETCH(QString, field);
        QFETCH(QString, code);
        EntryWindow w;
        const int id = w.addGuest({{"CINSIYET", "X"}, {"MEDENIDURUM", "X"}});
        w.openOnGuest(id);
        auto *group = w.form.findChild<DbRadioGroup *>(choice);
        // A code that belongs to no item leaves both unchosen.
        QVERIFY(!group->button(0)->isChecked() && !group->button(1)->isChecked());
        QTest::mouseClick(group->button(item), Qt::LeftButton);
        QCOMPARE(w.guests.state(), Query::State::Edit);
        QCOMPARE(w.guests.fieldByName(field).asString(), code);
    }

    void dateEditorEmptiesAndFillsAgain()
    {
        EntryWindow w;
        const int id = w.addGuest();
        w.openOnGuest(id);
        auto *birth = w.frame()->jvdbdtdtDOGUMTARIHI();
        birth->setFocus(Qt::TabFocusReason);
        QTest::keyClick(birth, Qt::Key_Delete);
        QCOMPARE(birth->text(), QString());
        QVERIFY(w.field("DOGUMTARIHI").isNull());
        QVERIFY(isMarked(birth));

        w.typeDate(birth, "15.03.1985");
        QCOMPARE(birth->text(), QString("15.03.1985"));
        QCOMPARE(w.field("DOGUMTARIHI").asDate(), QDate(1985, 3, 15));
        QVERIFY(!isMarked(birth));

        // Leaving an empty editor keeps it empty.
        QTest::keyClick(birth, Qt::Key_Backspace);
        w.edit("dbedtADI")->setFocus(Qt::TabFocusReason);
        QCOMPARE(birth->text(), QString());
        QVERIFY(w.field("DOGUMTARIHI").isNull());
    }

    void datesAreKeptWithinTheirLimits_data()
    {
        const QDate today = QDate::currentDate();
        const QString nextYear = QString("15.01.%1").arg(today.year() + 1);
        const QString lastYear = QString("15.01.%1").arg(today.year() - 1);
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("birth after today") << "jvdbdtdtDOGUMTARIHI" << "DOGUMTARIHI" << nextYear << today;
        QTest::newRow("arrival after today") << "jvdbdtdtGELISTARIH" << "GELISTARIH" << nextYear << today;
        QTest::newRow("departure before arrival") << "jvdbdtdtAYRILISTARIH" << "AYRILISTARIH" << lastYear << today;
        QTest::newRow("arrival in the past") << "jvdbdtdtGELISTARIH" << "GELISTARIH" << lastYear
                                             << QDate(today.year() - 1, 1, 15);
    }
    void datesAreKeptWithinTheirLimits()
    {
        QFETCH(QString, editor);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QDate, expected);
        EntryWindow w;
        w.openOnNewRow();
        auto *dateEdit = w.form.findChild<NullableDateEdit *>(editor);
        w.typeDate(dateEdit, typed);
        QCOMPARE(dateEdit->nullableDate(), expected);
        QCOMPARE(w.guests.fieldByName(field).asDate(), expected);
    }

    void departureMayNotPrecedeTheArrivalShown()
    {
        EntryWindow w;
        const QDate arrival = QDate::currentDate().addDays(-10);
        const int id = w.addGuest({{"GELISTARIH", arrival.toString(Qt::ISODate)}});
        w.openOnGuest(id);
        QCOMPARE(w.frame()->jvdbdtdtAYRILISTARIH()->earliestDate(), arrival);
        w.typeDate(w.frame()->jvdbdtdtGELISTARIH(), arrival.addDays(3).toString("dd.MM.yyyy"));
        QCOMPARE(w.frame()->jvdbdtdtAYRILISTARIH()->earliestDate(), arrival.addDays(3));
    }

    void requiredFieldsAreMarkedOnEveryChange()
    {
        EntryWindow w;
        w.openOnNewRow();
        const QStringList always{"dbedtBABAADI", "dbedtADI", "dbedtDOGUMYERI", "dbedtIKAMETADRESI",
                                 "dbedtKIMLIKSERINO", "dbedtSOYADI", "dblkcbbKIMLIKTURU", "dblkcbbUYRUGU",
                                 "dbrgrpCINSIYET", "dbrgrpMEDENIDURUM", "jvdbdtdtDOGUMTARIHI"};
        const auto expect = [](QStringList names) {
            names.sort();
            return names;
        };
        QCOMPARE(markedEditors(w), expect(always));

        // A Turkish citizen needs the TC number and the mother's name as well.
        w.choose(w.frame()->dblkcbbUYRUGU(), "TÜRKİYE");
        QCOMPARE(w.field("UYRUGU").asString(), QString("TC"));
        QStringList citizen = always;
        citizen.removeOne("dblkcbbUYRUGU");
        QCOMPARE(markedEditors(w), expect(citizen + QStringList{"dbedtTCNO", "dbedtANAADI"}));

        w.choose(w.frame()->dblkcbbUYRUGU(), "GERMANY (Deutschland)");
        QCOMPARE(markedEditors(w), expect(citizen));

        // A field loses its mark as soon as it has a value, and gets it back when emptied.
        w.type(w.edit("dbedtADI"), "Hans");
        QTest::mouseClick(w.frame()->dbrgrpCINSIYET()->button(0), Qt::LeftButton);
        QStringList typed = citizen;
        typed.removeOne("dbedtADI");
        typed.removeOne("dbrgrpCINSIYET");
        QCOMPARE(markedEditors(w), expect(typed));
        QCOMPARE(w.frame()->dbrgrpCINSIYET()->captionColor(), QApplication::palette().color(QPalette::WindowText));
        w.type(w.edit("dbedtADI"), "");
        QTest::keyClick(w.edit("dbedtADI"), Qt::Key_Backspace);
        QVERIFY(isMarked(w.edit("dbedtADI")));

        // A departure date asks for the departure time.
        w.typeDate(w.frame()->jvdbdtdtAYRILISTARIH(), QDate::currentDate().toString("dd.MM.yyyy"));
        QVERIFY(isMarked(w.edit("dbedtAYRILISSAAT")));
        w.type(w.edit("dbedtAYRILISSAAT"), "11:30");
        QCOMPARE(w.field("AYRILISSAAT").asTime(), QTime(11, 30));
        QVERIFY(!isMarked(w.edit("dbedtAYRILISSAAT")));
    }

    void noRoomLeavesOnlyClosing()
    {
        EntryWindow w(false);
        w.openOnNewRow();
        QCOMPARE(w.questions, QStringList{"Tesis tanımları eksik!"});
        QVERIFY(!w.frame()->isDataSourceEnabled());
        for (const EditorRow &row : editorRows())
            QVERIFY2(!w.form.findChild<QWidget *>(row.name)->isEnabled(), row.name);
        for (DbNavigator::Button button : DbNavigator::allButtons())
            QVERIFY(!w.form.dbnvgr1()->button(button)->isEnabled());

        w.form.close();
        QVERIFY(!w.form.isVisible());
        QCOMPARE(w.questions.size(), 1);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.guests.loadedCount(), 0);
        QCOMPARE(w.storedGuests(), 0);
    }

    void roomLookupListsEveryRoom()
    {
        EntryWindow w;
        const int id = w.addGuest({{"_IDODAEV", 2}});
        w.openOnGuest(id);
        DbLookupComboBox *box = w.frame()->dblkcbbODAEV();
        QStringList rows;
        for (int row = 0; row < box->count(); ++row)
            rows << box->model()->index(row, 0).data().toString() + "/" + box->model()->index(row, 1).data().toString();
        QCOMPARE(rows, (QStringList{"Asma Pansiyon/1", "Badem Evleri/201", "Zeytin Otel/101", "Zeytin Otel/102"}));
        QCOMPARE(box->currentText(), QString("101"));

        box->showPopup();
        QWidget *popup = box->view()->window();
        QCOMPARE(popup->width(), 250);
        QCOMPARE(popup->geometry().right(), box->mapToGlobal(QPoint(box->width() - 1, 0)).x());
        // A short list shows every room without scrolling.
        const int rowHeight = box->view()->visualRect(box->model()->index(0, 1)).height();
        QVERIFY2(box->view()->viewport()->height() >= box->count() * rowHeight,
                 qPrintable(QString("%1 px for %2 rows of %3 px").arg(box->view()->viewport()->height()).arg(box->count()).arg(rowHeight)));
        box->hidePopup();

        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(w.field("_IDODAEV").isNull());
        QCOMPARE(box->currentText(), QString());
        QCOMPARE(w.guests.state(), Query::State::Edit);

        // Typing into the empty box looks for the room number it shows.
        QTest::keyClick(box, '2');
        QCOMPARE(box->currentText(), QString("201"));
        QCOMPARE(w.field("_IDODAEV").asInteger(), 4);
    }

    // The question offers Kaydet, Kaydetme and Vazgeç (the default). Kaydet saves with the
    // guest validation and keeps the window open when the save is refused.
    void closeAsksOnlyForAChangedRow_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closes");
        QTest::newRow("only defaults") << false << int(QMessageBox::Cancel) << false << true;
        QTest::newRow("changed, Vazgeç") << true << int(QMessageBox::Cancel) << true << false;
        QTest::newRow("changed, Kaydetme") << true << int(QMessageBox::Discard) << true << true;
        QTest::newRow("changed, Kaydet refused by the validation") << true << int(QMessageBox::Save) << true << false;
    }
    void closeAsksOnlyForAChangedRow()
    {
        QFETCH(bool, change);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closes);
        EntryWindow w;
        w.openOnNewRow();
        if (change)
            w.type(w.edit("dbedtADI"), "Ayşe");
        w.answer = QMessageBox::StandardButton(answer);
        w.form.close();
        QCOMPARE(w.questions, asked ? QStringList{"Değişiklikler kaydedilsin mi?"} : QStringList());
        QCOMPARE(w.form.isVisible(), !closes);
        if (closes) {
            // The new row is discarded and the window lets go of the query.
            QCOMPARE(w.guests.state(), Query::State::Browse);
            QCOMPARE(w.guests.loadedCount(), 0);
            QCOMPARE(w.form.dataSet(), nullptr);
        } else {
            QCOMPARE(w.guests.state(), Query::State::Insert);
            QCOMPARE(w.field("ADI").asString(), QString("Ayşe"));
        }
        QCOMPARE(w.flashes.size(), answer == QMessageBox::Save ? 1 : 0);
        QCOMPARE(w.storedGuests(), 0);
    }

    void closeWithKaydetSavesTheChangedGuest()
    {
        EntryWindow w;
        const int guest = w.addGuest();
        w.openOnGuest(guest);
        w.type(w.edit("dbedtSOYADI"), "Schäfer");
        w.answer = QMessageBox::Save;
        w.form.close();
        QCOMPARE(w.questions, QStringList{"Değişiklikler kaydedilsin mi?"});
        QVERIFY(!w.form.isVisible());
        QVERIFY2(w.flashes.isEmpty(), qPrintable(w.flashes.join('|')));
        QCOMPARE(w.stored(guest, "SOYADI").toString(), QString("Schäfer"));
        QCOMPARE(w.storedGuests(), 1);
    }

    // A save or a move takes what is typed: a time that does not read as one stops it with the
    // field's message instead of going unnoticed.
    void unreadableTimeStopsTheSave_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("save") << int(DbNavigator::Button::Post);
        QTest::newRow("next") << int(DbNavigator::Button::Next);
    }
    void unreadableTimeStopsTheSave()
    {
        QFETCH(int, button);
        EntryWindow w;
        w.addGuest();
        const int id = w.addGuest({{"GELISSAAT", "09:05:00.000"}});
        w.openOnGuest(id);
        w.type(w.edit("dbedtGELISSAAT"), "1");
        w.press(DbNavigator::Button(button));
        QCOMPARE(w.errors.messages, QStringList{"'1' geçerli bir saat değil ('1' is not a valid time)"});
        QCOMPARE(w.guests.state(), Query::State::Edit);
        QCOMPARE(w.field("IDMISAFIR").asInteger(), id);
        QCOMPARE(w.edit("dbedtGELISSAAT")->text(), QString("1"));

        w.type(w.edit("dbedtGELISSAAT"), "10:15");
        w.press(DbNavigator::Button(button));
        QCOMPARE(w.errors.messages.size(), 1);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.stored(id, "GELISSAAT").toString(), QString("10:15:00.000"));
    }

    // Stays are stored whose departure day lies before the arrival day. Passing through its
    // editor, or closing the window while it has the focus, leaves such a row as it is; only a
    // date the operator enters is held to the limits.
    void storedDateOutsideTheLimitsIsLeftAlone()
    {
        EntryWindow w;
        const QDate today = QDate::currentDate();
        const int id = w.addGuest({{"GELISTARIH", today.toString(Qt::ISODate)},
                                   {"AYRILISTARIH", today.addDays(-3).toString(Qt::ISODate)},
                                   {"AYRILISSAAT", "10:00:00.000"}});
        w.openOnGuest(id);
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        NullableDateEdit *departure = w.frame()->jvdbdtdtAYRILISTARIH();
        departure->setFocus(Qt::TabFocusReason);
        QTest::keyClick(departure, Qt::Key_Tab);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.field("AYRILISTARIH").asDate(), today.addDays(-3));

        departure->setFocus(Qt::TabFocusReason);
        w.form.close();
        QVERIFY(w.questions.isEmpty());
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.stored(id, "AYRILISTARIH").toString(), today.addDays(-3).toString(Qt::ISODate));

        // A day picked in the calendar before the arrival is moved to the arrival.
        w.showOnQuery();
        departure->calendarWidget()->setSelectedDate(today.addDays(-5));
        emit departure->calendarWidget()->clicked(today.addDays(-5));
        QCOMPARE(w.field("AYRILISTARIH").asDate(), today);
        QCOMPARE(w.guests.state(), Query::State::Edit);
    }

    void wrongTcNumberIsRefusedWithFocusOnIt()
    {
        EntryWindow w;
        w.openOnNewRow();
        w.fillCitizen();
        w.field("_IDODAEV").setValue(1);
        w.type(w.frame()->dbedtTCNO(), kWrongTcNo);
        w.edit("dbedtNOTLAR")->setFocus(Qt::TabFocusReason);
        w.press(DbNavigator::Button::Post);
        QCOMPARE(w.flashes, QStringList{"Tc No Hatalı."});
        QCOMPARE(w.form.focusWidget(), w.frame()->dbedtTCNO());
        QCOMPARE(w.guests.state(), Query::State::Insert);
        QCOMPARE(w.storedGuests(), 0);
        QVERIFY(w.errors.messages.isEmpty());
        QVERIFY(w.form.isVisible());

        w.type(w.frame()->dbedtTCNO(), kValidTcNo);
        w.press(DbNavigator::Button::Post);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.storedGuests(), 1);
    }

    void stayWithoutRoomIsRefusedByTheDataLayer()
    {
        EntryWindow w;
        w.openOnNewRow();
        w.fillCitizen();
        w.field("TCNO").setValue(kValidTcNo.toLongLong());
        w.press(DbNavigator::Button::Post);
        QVERIFY(w.flashes.isEmpty());
        QCOMPARE(w.errors.messages,
                 QStringList{"_IDODAEV alanına bir değer girilmeli (Field '_IDODAEV' must have a value)"});
        QCOMPARE(w.guests.state(), Query::State::Insert);
        QCOMPARE(w.storedGuests(), 0);
        QVERIFY(w.form.isVisible());
    }

    void guestTypedIntoTheWindowIsStored()
    {
        EntryWindow w;
        w.openOnNewRow();
        TFrameMisafirEdit *frame = w.frame();
        w.choose(frame->dblkcbbKIMLIKTURU(), "Nüfus Hüviyet Cüzdanı");
        w.type(w.edit("dbedtKIMLIKSERINO"), "A12");
        w.choose(frame->dblkcbbUYRUGU(), "TÜRKİYE");
        w.type(w.edit("dbedtADI"), "Çağlar");
        w.type(w.edit("dbedtSOYADI"), "Öztürk");
        w.type(frame->dbedtTCNO(), kValidTcNo);
        w.type(w.edit("dbedtDOGUMYERI"), "Muğla");
        w.typeDate(frame->jvdbdtdtDOGUMTARIHI(), "15.03.1985");
        w.type(w.edit("dbedtBABAADI"), "İsmail");
        QTest::mouseClick(frame->dbrgrpCINSIYET()->button(0), Qt::LeftButton);
        QTest::mouseClick(frame->dbrgrpMEDENIDURUM()->button(1), Qt::LeftButton);
        w.type(w.edit("dbedtANAADI"), "Şükran");
        w.type(w.edit("dbedtIKAMETADRESI"), "Menteşe");
        w.type(w.edit("dbedtNUFUSCILT"), "12x3");
        w.choose(frame->dblkcbbODAEV(), "102");
        QCOMPARE(markedEditors(w), QStringList());
        w.press(DbNavigator::Button::Post);
        QVERIFY2(w.flashes.isEmpty(), qPrintable(w.flashes.join('|')));
        QVERIFY2(w.errors.messages.isEmpty(), qPrintable(w.errors.messages.join('|')));
        QCOMPARE(w.storedGuests(), 1);
        const int id = w.module.dbMain()->scalar("SELECT MAX(IDMISAFIR) FROM MISAFIR").toInt();
        QCOMPARE(w.stored(id, "KIMLIKTURU").toString(), QString("N"));
        QCOMPARE(w.stored(id, "UYRUGU").toString(), QString("TC"));
        QCOMPARE(w.stored(id, "TCNO").toLongLong(), kValidTcNo.toLongLong());
        QCOMPARE(w.stored(id, "ADI").toString(), QString("Çağlar"));
        QCOMPARE(w.stored(id, "CINSIYET").toString(), QString("E"));
        QCOMPARE(w.stored(id, "MEDENIDURUM").toString(), QString("E"));
        QCOMPARE(w.stored(id, "NUFUSCILT").toInt(), 123);
        QCOMPARE(w.stored(id, "DOGUMTARIHI").toString(), QString("1985-03-15"));
        QCOMPARE(w.stored(id, "GELISTARIH").toString(), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(w.stored(id, "GELISSAAT").toString().endsWith(".000"));
        QCOMPARE(w.stored(id, "_IDODAEV").toInt(), 1);
        QVERIFY(w.stored(id, "AYRILISTARIH").isNull());
    }

    void navigatorDropsAnUntouchedNewRowAndSavesAChangedOne()
    {
        EntryWindow w;
        const int older = w.addGuest({{"ADI", "Eski"}});
        const int newer = w.addGuest({{"ADI", "Yeni"}});
        w.openOnGuest(newer);
        w.press(DbNavigator::Button::Insert);
        QCOMPARE(w.guests.state(), Query::State::Insert);
        QCOMPARE(w.field("GELISTARIH").asDate(), QDate::currentDate());
        w.press(DbNavigator::Button::Next);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.storedGuests(), 2);
        QCOMPARE(w.guests.loadedCount(), 2);
        QCOMPARE(w.field("IDMISAFIR").asInteger(), older);

        w.type(w.edit("dbedtADI"), "Değişti");
        w.press(DbNavigator::Button::First);
        QCOMPARE(w.guests.state(), Query::State::Browse);
        QCOMPARE(w.field("IDMISAFIR").asInteger(), newer);
        QCOMPARE(w.stored(older, "ADI").toString(), QString("Değişti"));
        QCOMPARE(w.edit("dbedtADI")->text(), QString("Yeni"));
    }

    void reopeningShowsTheSameWindowWithFreshRooms()
    {
        EntryWindow w(false);
        w.openOnNewRow();
        w.form.close();
        w.addRooms();
        w.questions.clear();
        w.openOnNewRow();
        QVERIFY(w.questions.isEmpty());
        QVERIFY(w.frame()->isDataSourceEnabled());
        QCOMPARE(w.frame()->dblkcbbODAEV()->count(), 4);
        QVERIFY(w.frame()->isDoneFirst());
    }
};

QTEST_MAIN(TestFormMisafirEdit)
#include "tst_formmisafiredit.moc"
