#include "controls/FilterGrid.h"
#include "controls/FilterHeader.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "forms/TFormMisafirCikis.h"
#include "gen/TransientMessage.h"

#include "TestSupport.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include "CapturedErrors.h"

namespace {

using testsupport::CapturedErrors;

struct Message {
    QString text;
    QString options;
};

const QDate kToday(2025, 3, 10);

// The check-out window on a fresh database with one facility of three rooms. The window reads
// the moment from `now`, which a test moves as it likes.
struct CheckOutWindow {
    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    QList<Message> messages;
    ScopedMesajGosterHook messageHook{[this](const QString &text, const QString &options) {
        messages << Message{text, options};
    }};
    Tdm1 module;
    TFormMisafirCikis form{module.dbMain(), module.FDT(), module.il_db()};
    QDateTime now{kToday, QTime(15, 0)};
    QList<qint64> rooms;

    CheckOutWindow()
    {
        form.setClock([this] { return now; });
        Database &db = *module.dbMain();
        db.execute("INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES(1,'P','Otel Güneş')");
        const qint64 facility = db.lastInsertRowId();
        for (const char *number : {"101", "102", "103"}) {
            db.execute("INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES(:t,:n)", {{"t", facility}, {"n", number}});
            rooms << db.lastInsertRowId();
        }
    }

    static QVariant dateText(int daysFromToday) { return kToday.addDays(daysFromToday).toString(Qt::ISODate); }

    qint64 addGuest(const QString &name, const QVariant &arrivalDate, const QVariant &arrivalTime,
                    const QVariant &departureDate = {}, const QVariant &departureTime = {}, int room = 0)
    {
        Database &db = *module.dbMain();
        db.execute("INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,MEDENIDURUM,"
                   "DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH,GELISSAAT,AYRILISTARIH,AYRILISSAAT) "
                   "VALUES(:oda,'N','A123','TC',:adi,'YILMAZ','E','B','ANKARA','1980-01-01','Ankara',"
                   ":gt,:gs,:at,:as)",
                   {{"oda", rooms.value(room)}, {"adi", name}, {"gt", arrivalDate}, {"gs", arrivalTime},
                    {"at", departureDate}, {"as", departureTime}});
        return db.lastInsertRowId();
    }
    // A guest who arrived yesterday morning and has not left.
    qint64 addStayingGuest(const QString &name, int room = 0)
    {
        return addGuest(name, dateText(-1), "08:30:00.000", {}, {}, room);
    }

    QVariant stored(qint64 guest, const QString &column)
    {
        return module.dbMain()->scalar(QString("SELECT %1 FROM MISAFIR WHERE IDMISAFIR=:id").arg(column),
                                       {{"id", guest}});
    }

    Query &rows() { return *form.fdqry_misafirler(); }
    QStringList listedNames()
    {
        rows().fetchAll();
        QStringList names;
        for (int row = 0; row < rows().loadedCount(); ++row)
            names << rows().rawValue(row, rows().columnOf("ADI")).toString();
        return names;
    }
    int rowOf(const QString &name) { return int(listedNames().indexOf(name)); }
    void tick(const QStringList &names)
    {
        for (const QString &name : names)
            form.smdbgrd_misafir()->setChecked(rowOf(name), true);
    }
    bool isGrey(const QString &name) { return form.smdbgrd_misafirDrawColumnCell(rowOf(name)).isValid(); }
    void clickIndicator(int row)
    {
        QHeaderView *indicator = form.smdbgrd_misafir()->verticalHeader();
        const QPoint centre(indicator->width() / 2,
                            indicator->sectionViewportPosition(row) + indicator->sectionSize(row) / 2);
        QTest::mouseClick(indicator->viewport(), Qt::LeftButton, {}, centre);
    }
    void press(const char *buttonName) { QTest::mouseClick(form.findChild<QToolButton *>(buttonName), Qt::LeftButton); }
};

QColor pixelOfCell(FilterGrid *grid, int row, int column)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    return grid->viewport()->grab().toImage().pixelColor(cell.topLeft() + QPoint(1, 1));
}

} // namespace

class TestFormMisafirCikis : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    // The list is the snapshot of the guests staying at the moment of the show, both ends of a
    // stay included; rows whose departure has come are grey from the start.
    void snapshotListsGuestsStayingAtShowMoment_data()
    {
        QTest::addColumn<QTime>("shownAt");
        QTest::addColumn<int>("arrivalDay");
        QTest::addColumn<QVariant>("arrivalTime");
        QTest::addColumn<QVariant>("departureDay");
        QTest::addColumn<QVariant>("departureTime");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("grey");

        const QVariant none;
        QTest::newRow("arrives 10:00, shown 09:00") << QTime(9, 0) << 0 << QVariant("10:00:00.000") << none << none << false << false;
        QTest::newRow("arrives 10:00, shown 10:00") << QTime(10, 0) << 0 << QVariant("10:00:00.000") << none << none << true << false;
        QTest::newRow("arrives 10:00, shown later") << QTime(15, 0) << 0 << QVariant("10:00:00.000") << none << none << true << false;
        QTest::newRow("no arrival time") << QTime(15, 0) << -3 << none << none << none << false << false;
        QTest::newRow("leaves today, no time") << QTime(15, 0) << -2 << QVariant("12:00:00.000") << QVariant(0) << none << true << true;
        QTest::newRow("left today before the show") << QTime(15, 0) << -2 << QVariant("12:00:00.000") << QVariant(0) << QVariant("14:59:00.000") << false << false;
        QTest::newRow("leaves today at the show") << QTime(15, 0) << -2 << QVariant("12:00:00.000") << QVariant(0) << QVariant("15:00:00.000") << true << true;
        QTest::newRow("leaves today after the show") << QTime(15, 0) << -2 << QVariant("12:00:00.000") << QVariant(0) << QVariant("18:00:00.000") << true << false;
        QTest::newRow("leaves tomorrow early") << QTime(15, 0) << -2 << QVariant("12:00:00.000") << QVariant(1) << QVariant("06:00:00.000") << true << false;
        QTest::newRow("arrives tomorrow") << QTime(15, 0) << 1 << QVariant("08:00:00.000") << none << none << false << false;
        QTest::newRow("open stay of last year") << QTime(15, 0) << -400 << QVariant("08:00:00.000") << none << none << true << false;
    }
    void snapshotListsGuestsStayingAtShowMoment()
    {
        QFETCH(QTime, shownAt);
        QFETCH(int, arrivalDay);
        QFETCH(QVariant, arrivalTime);
        QFETCH(QVariant, departureDay);
        QFETCH(QVariant, departureTime);
        QFETCH(bool, listed);
        QFETCH(bool, grey);

        CheckOutWindow w;
        w.addStayingGuest("Kalan");
        const QVariant departureDate = departureDay.isNull() ? QVariant() : w.dateText(departureDay.toInt());
        w.addGuest("Konuk", w.dateText(arrivalDay), arrivalTime, departureDate, departureTime, 1);
        w.now = QDateTime(kToday, shownAt);
        w.form.show();

        QCOMPARE(w.listedNames().contains("Konuk"), listed);
        QVERIFY(w.listedNames().contains("Kalan"));
        if (listed)
            QCOMPARE(w.isGrey("Konuk"), grey);
        QVERIFY(!w.isGrey("Kalan"));
        QVERIFY(w.errors.messages.isEmpty());
    }

    void listIsOrderedByFacilityRoomAndNewestStay()
    {
        CheckOutWindow w;
        w.addStayingGuest("Oda103", 2);
        w.addStayingGuest("Oda101 eski", 0);
        w.addStayingGuest("Oda101 yeni", 0);
        w.form.show();
        QCOMPARE(w.listedNames(), QStringList({"Oda101 yeni", "Oda101 eski", "Oda103"}));
    }

    // Three ticked guests get today's date and the moment's time in the stored forms, stay in
    // the list, turn grey and lose their ticks; the fourth is untouched.
    void tickedGuestsAreCheckedOut()
    {
        CheckOutWindow w;
        const qint64 ali = w.addStayingGuest("Ali", 0);
        const qint64 ayse = w.addStayingGuest("Ayşe", 1);
        const qint64 cem = w.addGuest("Cem", w.dateText(-3), "09:00:00.000", w.dateText(2), "11:00:00.000", 2);
        const qint64 deniz = w.addStayingGuest("Deniz", 2);
        w.form.show();
        w.tick({"Ali", "Ayşe", "Cem"});

        w.now = QDateTime(kToday, QTime(15, 42, 7, 123));
        w.press("btnmisafircikisiyap");

        for (qint64 guest : {ali, ayse, cem}) {
            QCOMPARE(w.stored(guest, "AYRILISTARIH").toString(), QString("2025-03-10"));
            QCOMPARE(w.stored(guest, "AYRILISSAAT").toString(), QString("15:42:07.123"));
        }
        QVERIFY(w.stored(deniz, "AYRILISTARIH").isNull());
        QVERIFY(w.stored(deniz, "AYRILISSAAT").isNull());

        QCOMPARE(w.listedNames(), QStringList({"Ali", "Ayşe", "Deniz", "Cem"}));
        for (const char *name : {"Ali", "Ayşe", "Cem"})
            QVERIFY2(w.isGrey(name), name);
        QVERIFY(!w.isGrey("Deniz"));
        QVERIFY(w.form.smdbgrd_misafir()->checkedKeys().isEmpty());
        QVERIFY(w.form.changed());
        QVERIFY(w.messages.isEmpty());
        QVERIFY(w.errors.messages.isEmpty());
    }

    // The grey is what the operator sees: a departed row is painted light slate grey, except in
    // the cell the grid is on.
    void departedRowIsPaintedGrey()
    {
        CheckOutWindow w;
        w.addStayingGuest("Ali", 0);
        w.addStayingGuest("Banu", 1);
        w.form.show();
        FilterGrid *grid = w.form.smdbgrd_misafir();
        w.tick({"Banu"});
        w.form.actmisafircikisiyap()->trigger();

        const int banu = w.rowOf("Banu");
        const int ali = w.rowOf("Ali");
        w.rows().moveTo(ali);
        QCOMPARE(pixelOfCell(grid, banu, 2), TFormMisafirCikis::kDepartedColor);
        QVERIFY(pixelOfCell(grid, ali, 3) != TFormMisafirCikis::kDepartedColor);
        w.rows().moveTo(banu);
        QVERIFY(pixelOfCell(grid, banu, grid->currentIndex().column()) != TFormMisafirCikis::kDepartedColor);
        QCOMPARE(pixelOfCell(grid, banu, grid->currentIndex().column() + 1), TFormMisafirCikis::kDepartedColor);
    }

    // Without a fixed clock the departure is the local date and time of the press.
    void checkOutWritesTheLocalMoment()
    {
        CheckOutWindow w;
        w.form.setClock({});
        const qint64 ali = w.addGuest("Ali", QDate::currentDate().addDays(-1).toString(Qt::ISODate), "08:00:00.000");
        w.form.show();
        w.tick({"Ali"});
        const QDateTime before = QDateTime::currentDateTime();
        w.form.actmisafircikisiyapExecute();
        const QDateTime after = QDateTime::currentDateTime();

        const QDate date = QDate::fromString(w.stored(ali, "AYRILISTARIH").toString(), "yyyy-MM-dd");
        const QTime time = QTime::fromString(w.stored(ali, "AYRILISSAAT").toString(), "HH:mm:ss.zzz");
        QVERIFY(date.isValid() && time.isValid());
        QVERIFY(QDateTime(date, time) >= before);
        QVERIFY(QDateTime(date, time) <= after);
        QVERIFY(w.isGrey("Ali"));
    }

    // "Seçimi temizle" unticks every row; pressing the check-out with nothing ticked then says
    // "Seçim yapınız" and writes nothing.
    void withoutTicksNothingIsWritten()
    {
        CheckOutWindow w;
        const qint64 ali = w.addStayingGuest("Ali", 0);
        const qint64 banu = w.addStayingGuest("Banu", 1);
        w.form.show();
        w.tick({"Ali", "Banu"});
        w.press("btnsecimitemizle");
        QVERIFY(w.form.smdbgrd_misafir()->checkedRows().isEmpty());

        w.press("btnmisafircikisiyap");
        QCOMPARE(w.messages.size(), 1);
        QCOMPARE(w.messages[0].text, QString("Seçim yapınız"));
        QCOMPARE(w.messages[0].options, QString());
        QVERIFY(w.stored(ali, "AYRILISTARIH").isNull());
        QVERIFY(w.stored(banu, "AYRILISTARIH").isNull());
        QVERIFY(!w.form.changed());
        QVERIFY(w.errors.messages.isEmpty());
    }

    // A row that cannot be saved stops the run with the engine's message. The guests checked
    // out before it keep their departure and the window still reports them, so the guest list
    // reads them; the failed row and the rest keep their ticks for another try.
    void failedSaveKeepsWhatWasRecorded()
    {
        CheckOutWindow w;
        const qint64 ali = w.addStayingGuest("Ali", 0);
        const qint64 banu = w.addStayingGuest("Banu", 1);
        const qint64 cem = w.addStayingGuest("Cem", 2);
        w.module.dbMain()->execute(QString("CREATE TRIGGER kilit BEFORE UPDATE ON MISAFIR WHEN OLD.IDMISAFIR=%1 "
                                           "BEGIN SELECT RAISE(ABORT,'kayıt kilitli'); END")
                                       .arg(banu));
        w.form.show();
        w.tick({"Ali", "Banu", "Cem"});
        w.form.actmisafircikisiyapExecute();

        QCOMPARE(w.errors.messages.size(), 1);
        QVERIFY2(w.errors.messages[0].contains("kayıt kilitli"), qPrintable(w.errors.messages[0]));
        QCOMPARE(w.stored(ali, "AYRILISTARIH").toString(), QString("2025-03-10"));
        QVERIFY(w.stored(banu, "AYRILISTARIH").isNull());
        QVERIFY(w.stored(cem, "AYRILISTARIH").isNull());
        QVERIFY(!w.rows().isEditing());
        QVERIFY(!w.isGrey("Banu"));
        FilterGrid *grid = w.form.smdbgrd_misafir();
        QVERIFY(!grid->isChecked(w.rowOf("Ali")));
        QVERIFY(grid->isChecked(w.rowOf("Banu")));
        QVERIFY(grid->isChecked(w.rowOf("Cem")));
        QVERIFY(w.form.changed());

        w.form.close();
        QCOMPARE(w.form.result(), int(QDialog::Accepted));
    }

    // The window answers OK exactly when it recorded departures during this showing, however it
    // is closed.
    void modalResultTellsWhetherSomethingWasRecorded_data()
    {
        QTest::addColumn<bool>("record");
        QTest::addColumn<bool>("byCloseButton");
        QTest::addColumn<int>("expected");
        QTest::newRow("recorded, Kapat") << true << true << int(QDialog::Accepted);
        QTest::newRow("recorded, window closed") << true << false << int(QDialog::Accepted);
        QTest::newRow("nothing recorded, Kapat") << false << true << int(QDialog::Rejected);
        QTest::newRow("nothing recorded, window closed") << false << false << int(QDialog::Rejected);
    }
    void modalResultTellsWhetherSomethingWasRecorded()
    {
        QFETCH(bool, record);
        QFETCH(bool, byCloseButton);
        QFETCH(int, expected);

        CheckOutWindow w;
        w.addStayingGuest("Ali");
        QTimer::singleShot(0, &w.form, [&] {
            if (record) {
                w.tick({"Ali"});
                w.press("btnmisafircikisiyap");
            }
            if (byCloseButton)
                w.press("btnkapat");
            else
                w.form.close();
        });
        QCOMPARE(w.form.exec(), expected);
        QVERIFY(!w.form.isVisible());
    }

    // The same object is shown again with a fresh snapshot: a guest who left meanwhile is gone,
    // a new arrival is there, the result starts from Cancel again, and the grid is not rebuilt
    // (its filter cells and their condition survive).
    void reopenedWindowShowsAFreshSnapshot()
    {
        CheckOutWindow w;
        w.addStayingGuest("Ali", 0);
        const qint64 aylin = w.addStayingGuest("Aylin", 1);
        w.addStayingGuest("Banu", 2);
        QSignalSpy finished(&w.form, &QDialog::finished);

        w.form.open();
        QVERIFY(w.form.isVisible());
        FilterGrid *grid = w.form.smdbgrd_misafir();
        const int columns = grid->model()->columnCount();
        QVERIFY(columns > 0);
        w.tick({"Ali"});
        w.form.actmisafircikisiyapExecute();
        w.form.close();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toInt(), int(QDialog::Accepted));
        QVERIFY(!w.form.isVisible());
        QVERIFY(!w.rows().isOpen());
        QVERIFY(!w.form.tmr1()->isActive());

        w.module.dbMain()->execute("UPDATE MISAFIR SET AYRILISTARIH='2025-03-10', AYRILISSAAT='15:30:00.000' "
                                   "WHERE IDMISAFIR=:id",
                                   {{"id", aylin}});
        w.addGuest("Ayten", w.dateText(0), "16:00:00.000");
        w.now = QDateTime(kToday, QTime(16, 0));
        w.form.open();
        QCOMPARE(w.listedNames(), QStringList({"Ayten", "Banu"}));
        QCOMPARE(grid->model()->columnCount(), columns);
        QVERIFY(!w.form.changed());

        grid->setFilterText(grid->model()->columnOfField("ADI"), "Ay");
        QCOMPARE(w.listedNames(), QStringList({"Ayten"}));
        w.form.close();
        QCOMPARE(finished.size(), 2);
        QCOMPARE(finished[1][0].toInt(), int(QDialog::Rejected));

        w.form.open();
        QCOMPARE(grid->filterText(grid->model()->columnOfField("ADI")), QString("Ay"));
        QCOMPARE(w.listedNames(), QStringList({"Ayten"}));
        QVERIFY(w.errors.messages.isEmpty());
    }

    // A tick belongs to one showing: closed without recording, the window opens again with
    // nothing ticked, so a press cannot check out a guest who is staying.
    void ticksDoNotSurviveAShowing_data()
    {
        QTest::addColumn<QString>("closeBy");
        QTest::newRow("Kapat") << "btnkapat";
        QTest::newRow("close control") << "close";
    }
    void ticksDoNotSurviveAShowing()
    {
        QFETCH(QString, closeBy);
        CheckOutWindow w;
        const qint64 ali = w.addStayingGuest("Ali", 0);
        const qint64 banu = w.addStayingGuest("Banu", 1);
        FilterGrid *grid = w.form.smdbgrd_misafir();
        w.form.open();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QLineEdit *adiCell = grid->filterHeader()->filterEdit(grid->model()->columnOfField("ADI"));
        adiCell->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(adiCell, "Al");
        QTest::keyClick(adiCell, Qt::Key_Return);
        QTRY_COMPARE(w.listedNames(), QStringList({"Ali"}));
        w.clickIndicator(0);
        QCOMPARE(grid->checkedRows(), QList<int>({0}));
        if (closeBy == "close")
            w.form.close();
        else
            w.press(qPrintable(closeBy));
        QVERIFY(!w.form.isVisible());

        w.form.open();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        // The filter cell and its condition survive the showing; the tick does not.
        QCOMPARE(grid->filterText(grid->model()->columnOfField("ADI")), QString("Al"));
        QCOMPARE(w.listedNames(), QStringList({"Ali"}));
        QVERIFY(grid->checkedKeys().isEmpty());
        w.press("btnmisafircikisiyap");
        QCOMPARE(w.messages.size(), 1);
        QCOMPARE(w.messages[0].text, QString("Seçim yapınız"));
        QVERIFY(w.stored(ali, "AYRILISTARIH").isNull());
        QVERIFY(w.stored(banu, "AYRILISTARIH").isNull());
        QVERIFY(!w.form.changed());
        QVERIFY(w.errors.messages.isEmpty());
        w.form.close();
    }

    // The clock label shows the local date and time and changes every second while shown.
    void clockLabelTicksWhileShown()
    {
        CheckOutWindow w;
        w.form.setClock({});
        w.form.show();
        QCOMPARE(w.form.tmr1()->interval(), 1000);
        QVERIFY(w.form.tmr1()->isActive());
        const QString first = w.form.lbl_date()->text();
        QVERIFY2(QRegularExpression(R"(^\d{1,2}\.\d{2}\.\d{4} \d{2}:\d{2}:\d{2}$)").match(first).hasMatch(),
                 qPrintable(first));
        QTRY_VERIFY_WITH_TIMEOUT(w.form.lbl_date()->text() != first, 2500);
        w.form.close();
        QVERIFY(!w.form.tmr1()->isActive());
    }
};

QTEST_MAIN(TestFormMisafirCikis)
#include "tst_formmisafircikis.moc"
