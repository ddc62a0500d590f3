// The guest list, the entry window and its navigator together, as the operator uses them: every
// save lands in the record the window was opened on (or created), whatever the list does after
// the save, and no other stay changes.
#include "TestSupport.h"
#include "app/Tmainform.h"
#include "controls/DbLookupComboBox.h"
#include "controls/DbRadioGroup.h"
#include "controls/FilterGrid.h"
#include "controls/FilterHeader.h"
#include "controls/NullableDateEdit.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "db/Statement.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormMisafirCikis.h"
#include "forms/TFormMisafirEdit.h"
#include "forms/TFrameMisafirEdit.h"
#include "forms/TFrameMisafirler.h"
#include "forms/TFrameTesisler.h"
#include "gen/TransientMessage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

QString day(int offset) { return QDate::currentDate().addDays(offset).toString(Qt::ISODate); }

// Every record of MISAFIR, one line each, keyed by its id.
QMap<qint64, QString> dumpMisafir(Database &db)
{
    Statement rows(db, QStringLiteral("SELECT * FROM MISAFIR ORDER BY IDMISAFIR"));
    QMap<qint64, QString> dump;
    while (rows.step()) {
        QStringList cells;
        for (int column = 0; column < rows.columnCount(); ++column) {
            const QVariant value = rows.columnValue(column);
            cells << rows.columnName(column) + QLatin1Char('=')
                    + (value.isNull() ? QStringLiteral("NULL") : value.toString());
        }
        dump.insert(rows.columnValue(0).toLongLong(), cells.join(QLatin1Char('|')));
    }
    return dump;
}

// The records that differ between two dumps, apart from those a test meant to change; each as
// its line before and after.
QStringList changedOthers(const QMap<qint64, QString> &before, const QMap<qint64, QString> &after,
                          const QList<qint64> &meant)
{
    QStringList changed;
    QList<qint64> ids = before.keys() + after.keys();
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (qint64 id : ids) {
        if (!meant.contains(id) && before.value(id) != after.value(id))
            changed << QStringLiteral("before: %1\nafter:  %2").arg(before.value(id), after.value(id));
    }
    return changed;
}

// The interactive program on a register with five guests staying in one facility, wired as
// start-up wires it. The list shows them newest first: Ebru, Deniz, Cem, Burak, Ayla.
struct Register {
    testsupport::ScopedWorkDir dir;
    Tdm1 dm;
    TFrameMisafirler *guests = new TFrameMisafirler(&dm);
    TFrameTesisler *facilities = new TFrameTesisler(&dm);
    Tmainform main{&dm, guests, facilities};
    TFormMisafirEdit *entry = new TFormMisafirEdit(&dm, &main);
    TFormMisafirCikis *checkOut = new TFormMisafirCikis(dm.dbMain(), dm.FDT(), dm.il_db(), &main);

    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        questions << request.text;
        return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }};
    QStringList flashes;
    ScopedMesajGosterHook flashHook{[this](const QString &text, const QString &) { flashes << text; }};
    QStringList errors;

    Register()
    {
        ErrorSink::setHandler([this](const QString &message) { errors << message; });
        dm.dbMain()->executeScript(
            "INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P','Otel Güneş');"
            "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES (1,'101'),(1,'102'),(1,'103');");
        for (const char *name : {"Ayla", "Burak", "Cem", "Deniz", "Ebru"})
            addStay(QString::fromUtf8(name));
        guests->setWindows(entry, checkOut);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
    }
    ~Register() { ErrorSink::setHandler({}); }

    // Every guest is another person (a serial of their own), so no save asks about overlapping stays.
    void addStay(const QString &name)
    {
        dm.dbMain()->execute(
            "INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,MEDENIDURUM,"
            "DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH,GELISSAAT,BABAADI)"
            " VALUES (1,'P','X-'||:ad,'DEU',:ad,'Müller','E','B','Berlin','1980-01-01','Berlin',:gel,'10:00:00.000','Hans')",
            {{"ad", name}, {"gel", day(-3)}});
    }
    qint64 idOf(const QString &name)
    {
        return dm.dbMain()->scalar("SELECT IDMISAFIR FROM MISAFIR WHERE ADI=:ad", {{"ad", name}}).toLongLong();
    }
    QMap<qint64, QString> dump() { return dumpMisafir(*dm.dbMain()); }

    Query &list() { return *guests->fdqry_misafirler(); }
    FilterGrid *grid() const { return guests->smdbgrd_misafir(); }
    QString listedName(int row)
    {
        return list().rawValue(row, list().columnOf("ADI")).toString();
    }
    int rowOfName(const QString &name)
    {
        list().fetchAll();
        for (int row = 0; row < list().loadedCount(); ++row) {
            if (listedName(row) == name)
                return row;
        }
        return -1;
    }
    void clickRow(int row)
    {
        const int column = grid()->model()->columnOfField("ADI");
        const QRect cell = grid()->visualRect(grid()->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void clickTitle(const char *fieldName)
    {
        FilterHeader *titles = grid()->filterHeader();
        const int column = grid()->model()->columnOfField(QLatin1String(fieldName));
        const QPoint centre(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                            titles->titleHeight() / 2);
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, centre);
    }
    void typeFilter(const char *fieldName, const QString &text)
    {
        QLineEdit *cell = grid()->filterHeader()->filterEdit(grid()->model()->columnOfField(QLatin1String(fieldName)));
        cell->setFocus(Qt::MouseFocusReason);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, cell, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(cell, Qt::Key_Return);
        QTest::qWait(grid()->filterHeader()->filterDelay() + 100);
    }

    // Opens the entry window on the list's current row with a double click and runs the steps
    // while it is shown; the window is closed afterwards unless a step closed it.
    void inEntryWindow(const std::function<void()> &steps, const std::function<void()> &open)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = QApplication::activeModalWidget() == entry;
            if (ran)
                steps();
            if (entry->isVisible()) {
                answer = QMessageBox::Discard;
                entry->close();
            }
        });
        open();
        QVERIFY2(ran, "the entry window did not open");
    }
    void doubleClickRow(int row)
    {
        const int column = grid()->model()->columnOfField("ADI");
        const QRect cell = grid()->visualRect(grid()->model()->index(row, column));
        // The view takes a double click only on the cell that the first click pressed.
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // --- inside the entry window ---
    TFrameMisafirEdit *frame() const { return entry->FrameMisafirEdit1(); }
    QLineEdit *edit(const char *name) const { return entry->findChild<QLineEdit *>(QLatin1String(name)); }
    QString shown(const char *name) const { return edit(name)->text(); }
    void type(const char *name, const QString &text)
    {
        QLineEdit *editor = edit(name);
        editor->setFocus(Qt::TabFocusReason);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void typeDate(NullableDateEdit *editor, const QString &text)
    {
        editor->setFocus(Qt::TabFocusReason);
        if (!editor->isNull())
            editor->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Opens the drop-down, points at the entry and confirms it with Enter.
    void pick(DbLookupComboBox *box, const QString &text)
    {
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setFocus(Qt::TabFocusReason);
        box->showPopup();
        QAbstractItemView *view = box->view();
        view->setCurrentIndex(view->model()->index(index, box->modelColumn()));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(box->currentIndex(), index);
    }
    void clickChoice(DbRadioGroup *choice, int item)
    {
        QTest::mouseClick(choice->button(item), Qt::LeftButton);
    }
    void press(DbNavigator::Button button)
    {
        QTest::mouseClick(entry->dbnvgr1()->button(button), Qt::LeftButton);
    }
    // A foreign guest typed from scratch into a new row.
    void typeNewForeignGuest(const QString &name)
    {
        pick(frame()->dblkcbbKIMLIKTURU(), "Pasaport");
        type("dbedtKIMLIKSERINO", "P778");
        pick(frame()->dblkcbbUYRUGU(), "GERMANY (Deutschland)");
        type("dbedtADI", name);
        type("dbedtSOYADI", "Schmidt");
        type("dbedtDOGUMYERI", "Hamburg");
        typeDate(frame()->jvdbdtdtDOGUMTARIHI(), "02.04.1977");
        type("dbedtBABAADI", "Otto");
        clickChoice(frame()->dbrgrpCINSIYET(), 0);
        clickChoice(frame()->dbrgrpMEDENIDURUM(), 1);
        type("dbedtIKAMETADRESI", "Alster 5");
        pick(frame()->dblkcbbODAEV(), "102");
    }
};

} // namespace

class TestGuestRecords : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    // The cursor on the third row, Ctrl+N, a new guest saved with the navigator, then a correction
    // typed and saved: both saves go into the new guest.
    void newGuestFromALaterRowKeepsItsOwnRecord()
    {
        Register r;
        r.clickRow(2);
        QCOMPARE(r.listedName(r.list().row()), QString("Cem"));
        const auto before = r.dump();
        QString shownAfterSave;
        r.inEntryWindow(
            [&] {
                r.typeNewForeignGuest("Fikret");
                r.press(DbNavigator::Button::Post);
                shownAfterSave = r.shown("dbedtADI");
                r.type("dbedtSOYADI", "Yıldız");
                r.press(DbNavigator::Button::Post);
            },
            [&] { QTest::keyClick(&r.main, Qt::Key_N, Qt::ControlModifier); });
        QVERIFY2(r.flashes.isEmpty(), qPrintable(r.flashes.join('|')));
        QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors.join('|')));
        QCOMPARE(shownAfterSave, QString("Fikret"));
        const qint64 fikret = r.idOf("Fikret");
        QVERIFY(fikret > 0);
        QCOMPARE(r.dm.dbMain()->scalar("SELECT SOYADI FROM MISAFIR WHERE IDMISAFIR=:id", {{"id", fikret}}).toString(),
                 QString("Yıldız"));
        QCOMPARE(changedOthers(before, r.dump(), {fikret}), QStringList());
        // The list stands on the new guest, and so does the grid.
        QCOMPARE(r.listedName(r.list().row()), QString("Fikret"));
        QCOMPARE(r.grid()->currentIndex().row(), r.list().row());
    }

    // An edit that moves the row under a title sort: the window stays on the record, so the
    // correction typed next goes into it as well.
    void editMovingTheRowUnderASortStaysOnTheRecord()
    {
        Register r;
        r.clickTitle("ADI"); // ascending: Ayla, Burak, Cem, Deniz, Ebru
        QCOMPARE(r.listedName(0), QString("Ayla"));
        const qint64 ayla = r.idOf("Ayla");
        const auto before = r.dump();
        QString shownAfterSave;
        r.inEntryWindow(
            [&] {
                r.type("dbedtADI", "Zeynep");
                r.press(DbNavigator::Button::Post);
                shownAfterSave = r.shown("dbedtADI");
                r.type("dbedtSOYADI", "Kaya");
                r.press(DbNavigator::Button::Post);
            },
            [&] { r.doubleClickRow(0); });
        QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors.join('|')));
        QCOMPARE(shownAfterSave, QString("Zeynep"));
        QCOMPARE(r.dm.dbMain()->scalar("SELECT ADI||' '||SOYADI FROM MISAFIR WHERE IDMISAFIR=:id", {{"id", ayla}}).toString(),
                 QString("Zeynep Kaya"));
        QCOMPARE(changedOthers(before, r.dump(), {ayla}), QStringList());
        QCOMPARE(r.rowOfName("Zeynep"), 4);
        QCOMPARE(r.list().row(), 4);
        QCOMPARE(r.grid()->currentIndex().row(), 4);
    }

    // An edit that takes the row out of the list: the save is kept, the window closes with a
    // message instead of showing another guest, and the list stands on the row that followed.
    void editTakingTheRowOutOfTheListClosesTheWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("departed yesterday, out of Konaklayanlar") << "departure";
        QTest::newRow("renamed, out of the filter") << "filter";
    }
    void editTakingTheRowOutOfTheListClosesTheWindow()
    {
        QFETCH(QString, how);
        Register r;
        const bool byFilter = how == "filter";
        if (byFilter)
            r.typeFilter("SOYADI", "=Müller"); // every guest is still listed
        const int row = r.rowOfName("Cem");
        const QString follower = r.listedName(row + 1);
        r.clickRow(row);
        const qint64 cem = r.idOf("Cem");
        const auto before = r.dump();
        bool closedAfterSave = false;
        r.inEntryWindow(
            [&] {
                if (byFilter) {
                    r.type("dbedtSOYADI", "Kaya");
                } else {
                    r.typeDate(r.frame()->jvdbdtdtAYRILISTARIH(), QDate::currentDate().addDays(-1).toString("dd.MM.yyyy"));
                    r.type("dbedtAYRILISSAAT", "11:00");
                }
                r.press(DbNavigator::Button::Post);
                closedAfterSave = !r.entry->isVisible();
                if (!closedAfterSave) {
                    // Whatever the window shows now, a further save must not reach another guest.
                    r.type("dbedtNOTLAR", "düzeltme");
                    r.press(DbNavigator::Button::Post);
                }
            },
            [&] { r.doubleClickRow(row); });
        QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors.join('|')));
        QVERIFY(closedAfterSave);
        QCOMPARE(r.questions, QStringList({"Kayıt kaydedildi; gösterilen listenin dışında kaldığı için pencere kapatılıyor."}));
        const QString stored = r.dm.dbMain()
                                   ->scalar(byFilter ? "SELECT SOYADI FROM MISAFIR WHERE IDMISAFIR=:id"
                                                     : "SELECT AYRILISTARIH FROM MISAFIR WHERE IDMISAFIR=:id",
                                            {{"id", cem}})
                                   .toString();
        QCOMPARE(stored, byFilter ? QString("Kaya") : day(-1));
        QCOMPARE(changedOthers(before, r.dump(), {cem}), QStringList());
        QCOMPARE(r.rowOfName("Cem"), -1);
        QCOMPARE(r.listedName(r.list().row()), follower);
        QCOMPARE(r.grid()->currentIndex().row(), r.list().row());
    }

    // The list is read again when its tab is shown again, and when "Göster" changes: the cursor
    // stays on the guest it stood on.
    void readingTheListAgainKeepsTheRecord()
    {
        Register r;
        r.clickRow(3);
        QCOMPARE(r.listedName(r.list().row()), QString("Burak"));
        QTest::mouseClick(r.main.pgc1()->tabBar(), Qt::LeftButton, {}, r.main.pgc1()->tabBar()->tabRect(1).center());
        QVERIFY(!r.list().isOpen());
        r.addStay("Gül"); // arrives meanwhile, at the top of the list
        QTest::mouseClick(r.main.pgc1()->tabBar(), Qt::LeftButton, {}, r.main.pgc1()->tabBar()->tabRect(0).center());
        QCOMPARE(r.listedName(r.list().row()), QString("Burak"));
        QCOMPARE(r.list().row(), 4);
        QTest::mouseClick(r.guests->tumuButton(), Qt::LeftButton);
        QCOMPARE(r.listedName(r.list().row()), QString("Burak"));
        QCOMPARE(r.grid()->currentIndex().row(), r.list().row());
    }
};

QTEST_MAIN(TestGuestRecords)
#include "tst_guestrecords.moc"
