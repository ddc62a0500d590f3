#include "controls/DbGrid.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/TFrameTesisler.h"

#include "TestSupport.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include "CapturedErrors.h"

using Button = DbNavigator::Button;

namespace {

const QString kDeleteQuestion = "Kayıt silinsin mi?";
const QString kHasDependents = "Bu kayda ilişkili/ait kayıtlar mevcut. Silinemez.";
const QString kAskFacility = "Bu tesis kaydını silmek istediğinizden emin misiniz?";
const QString kAskRoom = "Bu oda/ev kaydını silmek istediğinizden emin misiniz?";

using testsupport::CapturedErrors;

// Answers every box with its accepting button, except the question whose text is `refuse`.
struct AnsweredBoxes {
    QList<MessageBoxes::Request> requests;
    QString refuse;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        requests << request;
        if (!refuse.isEmpty() && request.text == refuse)
            return QMessageBox::Cancel;
        return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }};
    QStringList texts() const
    {
        QStringList result;
        for (const auto &request : requests)
            result << request.text;
        return result;
    }
};

// The frame on a fresh database.
struct FacilitiesFrame {
    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    AnsweredBoxes boxes;
    Tdm1 module;
    TFrameTesisler frame{&module};

    Database &db() { return *module.dbMain(); }
    Query &facilities() { return *frame.fdqry_tesisler(); }
    Query &rooms() { return *frame.fdqry_odaev(); }

    qint64 addFacility(const QString &name, int code = 1001, const QString &region = "P")
    {
        db().execute("INSERT INTO TESISLER(TESISADI,TESISKODU,TESISBOLGE) VALUES(:n,:c,:r)",
                     {{"n", name}, {"c", code}, {"r", region}});
        return db().lastInsertRowId();
    }
    qint64 addRoom(qint64 facility, const QString &number)
    {
        db().execute("INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES(:f,:n)", {{"f", facility}, {"n", number}});
        return db().lastInsertRowId();
    }
    // A stay that has ended: it still refers to its room.
    void addEndedStay(qint64 room)
    {
        db().execute("INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,MEDENIDURUM,"
                     "DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH,AYRILISTARIH) VALUES(:r,'N','A1','TC','Ayşe',"
                     "'Yılmaz','K','B','İzmir','1980-01-02','Alsancak','2024-05-01','2024-05-03')",
                     {{"r", room}});
    }
    int count(const QString &sql) { return db().scalar(sql).toInt(); }

    void show()
    {
        frame.resize(900, 500);
        frame.show();
        frame.doshow();
    }
    void selectFacility(const QString &name)
    {
        for (int row = 0; row < facilities().recordCount(); ++row) {
            if (facilities().rawValue(row, facilities().columnOf("TESISADI")).toString() == name) {
                frame.dbgrd_list()->setCurrentIndex(frame.dbgrd_list()->model()->index(row, 0));
                QCOMPARE(facilities().row(), row);
                return;
            }
        }
        QFAIL(qPrintable("no facility " + name));
    }
    void type(const char *fieldName, const QString &text)
    {
        auto *edit = qobject_cast<QLineEdit *>(frame.editorFor(fieldName));
        QVERIFY(edit);
        edit->selectAll();
        // Typed one key at a time, Turkish letters included.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void chooseRegion(const char *radioName)
    {
        auto *radio = frame.findChild<QRadioButton *>(radioName);
        QVERIFY(radio);
        QTest::mouseClick(radio, Qt::LeftButton);
    }
    QStringList roomNumbers()
    {
        rooms().fetchAll(); // the grid reads rows only as it shows them
        QStringList numbers;
        const QAbstractItemModel *model = frame.dbgrd1()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            numbers << model->index(row, 0).data().toString();
        return numbers;
    }
    // Types a new facility without saving it.
    void typeNewFacility(const QString &name, const QString &code)
    {
        frame.dbnvgr1()->click(Button::Insert);
        type("TESISADI", name);
        if (!code.isEmpty())
            type("TESISKODU", code);
        chooseRegion("rbPolis");
    }
};

} // namespace

class TestFrameTesisler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void doshowOpensAndDohideClosesDroppingUnsavedFacility()
    {
        FacilitiesFrame f;
        f.show();
        QVERIFY(f.facilities().isOpen());
        QVERIFY(f.rooms().isOpen());
        f.typeNewFacility("Yarım Otel", "12");
        f.frame.dohide();
        QVERIFY(!f.rooms().isOpen());
        QVERIFY(!f.facilities().isOpen());
        QCOMPARE(f.count("SELECT COUNT(*) FROM TESISLER"), 0);
        f.frame.doshow();
        QVERIFY(f.facilities().isEmpty());
        QVERIFY(f.errors.messages.isEmpty());
    }

    void newFacilityShowsActiveAndNoRegion()
    {
        FacilitiesFrame f;
        f.show();
        f.frame.dbnvgr1()->click(Button::Insert);
        QCOMPARE(f.facilities().state(), Query::State::Insert);
        QVERIFY(f.frame.findChild<QCheckBox *>("dbchkTESISAKTIF")->isChecked());
        QCOMPARE(f.frame.dbrgrpTESISBOLGE()->checkedButton(), nullptr);
        QVERIFY(f.rooms().isEmpty());
    }

    void newFacilityStoresRegionLetter_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("stored");
        QTest::newRow("police") << "rbPolis" << "POLİS" << "P";
        QTest::newRow("gendarmerie") << "rbJandarma" << "JANDARMA" << "J";
    }
    void newFacilityStoresRegionLetter()
    {
        QFETCH(QString, radio);
        QFETCH(QString, caption);
        QFETCH(QString, stored);
        FacilitiesFrame f;
        f.show();
        f.frame.dbnvgr1()->click(Button::Insert);
        f.type("TESISADI", "Otel Güneş");
        f.type("TESISKODU", "4711");
        f.chooseRegion(qPrintable(radio));
        QCOMPARE(f.frame.findChild<QRadioButton *>(radio)->text(), caption);
        f.frame.dbnvgr1()->click(Button::Post);
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join('\n')));
        QCOMPARE(f.db().scalar("SELECT TESISBOLGE FROM TESISLER").toString(), stored);
        QCOMPARE(f.db().scalar("SELECT TESISKODU FROM TESISLER").toInt(), 4711);
        QCOMPARE(f.db().scalar("SELECT TESISADI FROM TESISLER").toString(), QString("Otel Güneş"));
        QCOMPARE(f.db().scalar("SELECT TESISAKTIF FROM TESISLER").toInt(), 1);

        // Shown again from the database, the stored letter picks its choice.
        f.frame.dohide();
        f.frame.doshow();
        QCOMPARE(f.frame.dbrgrpTESISBOLGE()->checkedButton(), f.frame.findChild<QRadioButton *>(radio));
    }

    void codeEditorTakesDigitsOnly()
    {
        FacilitiesFrame f;
        f.show();
        f.frame.dbnvgr1()->click(Button::Insert);
        f.type("TESISKODU", "12a3-");
        QCOMPARE(qobject_cast<QLineEdit *>(f.frame.editorFor("TESISKODU"))->text(), QString("123"));
        QCOMPARE(f.facilities().fieldByName("TESISKODU").asInteger(), 123);
    }

    void editorsFollowTheTabOrder()
    {
        FacilitiesFrame f;
        f.show();
        QWidget *area = f.frame.findChild<QScrollArea *>("scrlbx1")->widget();
        QWidget *start = f.frame.editorFor("TESISADI");
        QStringList order;
        QWidget *widget = start;
        do {
            if (area->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != start);
        QCOMPARE(order, QStringList({"dbedtTESISADI", "dbedtTESISKODU", "dbedtTESISYETKILISI", "dbedtTESISIL",
                                     "dbedtTESISILCE", "dbedtTESISADRES", "dbedtTESISTELEFON", "rbPolis",
                                     "rbJandarma", "dbchkTESISAKTIF"}));
    }

    // Enter in a text box of the facility record moves on to the next box, as Tab does, and the
    // text typed stays; in the active check box it keeps its usual effect.
    void enterMovesToTheNextBox()
    {
        FacilitiesFrame f;
        f.addFacility("Otel Deniz");
        f.show();
        f.frame.activateWindow();
        const QStringList order{"TESISADI", "TESISKODU", "TESISYETKILISI", "TESISIL", "TESISILCE", "TESISADRES",
                                "TESISTELEFON"};
        f.frame.editorFor("TESISADI")->setFocus(Qt::TabFocusReason);
        for (int i = 0; i + 1 < order.size(); ++i) {
            QWidget *box = f.frame.editorFor(order[i]);
            QTRY_COMPARE(QApplication::focusWidget(), box);
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), f.frame.editorFor(order[i + 1]));
        }
        QTest::keyClick(f.frame.editorFor("TESISTELEFON"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("rbPolis"));
        QCOMPARE(qobject_cast<QLineEdit *>(f.frame.editorFor("TESISADI"))->text(), QString("Otel Deniz"));
        QVERIFY(f.errors.messages.isEmpty());
    }

    // On an empty list the first key typed starts the new facility; it stays in the name.
    void firstKeyOnAnEmptyListIsKept()
    {
        FacilitiesFrame f;
        f.show();
        f.frame.activateWindow();
        QWidget *name = f.frame.editorFor("TESISADI");
        name->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(name, QString("Deniz Otel"));
        QCOMPARE(qobject_cast<QLineEdit *>(name)->text(), QString("Deniz Otel"));
        QCOMPARE(f.facilities().fieldByName("TESISADI").asString(), QString("Deniz Otel"));
        QVERIFY(f.errors.messages.isEmpty());
    }

    void roomsFollowTheFacilityInTextOrder()
    {
        FacilitiesFrame f;
        const qint64 a = f.addFacility("Otel A");
        const qint64 b = f.addFacility("Otel B");
        for (const char *number : {"2", "10", "1"})
            f.addRoom(a, number);
        f.addRoom(b, "5");
        f.show();
        f.selectFacility("Otel A");
        QCOMPARE(f.roomNumbers(), QStringList({"1", "10", "2"}));
        f.selectFacility("Otel B");
        QCOMPARE(f.roomNumbers(), QStringList({"5"}));
    }

    void newRoomBelongsToTheCurrentFacility()
    {
        FacilitiesFrame f;
        f.addFacility("Otel A");
        const qint64 b = f.addFacility("Otel B");
        f.show();
        f.selectFacility("Otel B");
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_odalar());
        QCOMPARE(f.frame.pgc1()->currentWidget(), f.frame.ts_odalar());
        f.frame.dbnvgr2()->click(Button::Insert);
        QAbstractItemModel *model = f.frame.dbgrd1()->model();
        QVERIFY(model->setData(model->index(f.rooms().row(), 0), "7"));
        QVERIFY(model->setData(model->index(f.rooms().row(), 1), "Bahçe katı"));
        f.frame.dbnvgr2()->click(Button::Post);
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join('\n')));
        QCOMPARE(f.db().scalar("SELECT _IDTESISLER FROM ODAEV WHERE ODAEVNO='7'").toLongLong(), b);
        QCOMPARE(f.db().scalar("SELECT ODAEVACIKLAMA FROM ODAEV WHERE ODAEVNO='7'").toString(), QString("Bahçe katı"));
    }

    // The operator presses "+" and types: the keys go to the new row's cells, not to the button
    // or the page tab that had the focus before.
    void roomsAreTypedStraightAfterPlus()
    {
        FacilitiesFrame f;
        const qint64 facility = f.addFacility("Otel A");
        f.show();
        QApplication::setActiveWindow(&f.frame);
        f.selectFacility("Otel A");
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_odalar());
        f.frame.pgc1()->tabBar()->setFocus();
        for (const char *number : {"101", "102"}) {
            f.frame.dbnvgr2()->click(Button::Insert);
            QVERIFY(QApplication::focusWidget());
            // Each key goes where the focus is at that moment, as on the screen: the first key
            // opens the cell's editor and the next ones reach it.
            const auto typeKeys = [](const QString &text) {
                for (const QChar c : text)
                    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
            };
            typeKeys(number);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            typeKeys("Çift kişilik");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            f.frame.dbnvgr2()->click(Button::Post);
        }
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join('\n')));
        QCOMPARE(f.db().scalar("SELECT group_concat(ODAEVNO||'='||ODAEVACIKLAMA,';') FROM (SELECT * FROM ODAEV "
                               "WHERE _IDTESISLER=:f ORDER BY ODAEVNO)", {{"f", facility}}).toString(),
                 QString("101=Çift kişilik;102=Çift kişilik"));
    }

    void newFacilityNameIsTypedStraightAfterPlus()
    {
        FacilitiesFrame f;
        f.show();
        QApplication::setActiveWindow(&f.frame);
        f.frame.dbgrd_list()->setFocus();
        f.frame.dbnvgr1()->click(Button::Insert);
        QCOMPARE(QApplication::focusWidget(), f.frame.editorFor("TESISADI"));
    }

    // Moving to another facility re-reads the rooms; a room still being typed is saved with the
    // facility it was typed for instead of being dropped.
    void roomBeingTypedIsSavedWhenTheFacilityMoves()
    {
        FacilitiesFrame f;
        const qint64 a = f.addFacility("Otel A");
        f.addFacility("Otel B");
        f.show();
        f.selectFacility("Otel A");
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_odalar());
        f.frame.dbnvgr2()->click(Button::Insert);
        QAbstractItemModel *model = f.frame.dbgrd1()->model();
        QVERIFY(model->setData(model->index(f.rooms().row(), 0), "9"));
        f.selectFacility("Otel B");
        QVERIFY(f.errors.messages.isEmpty());
        QCOMPARE(f.db().scalar("SELECT _IDTESISLER FROM ODAEV WHERE ODAEVNO='9'").toLongLong(), a);
        QVERIFY(f.roomNumbers().isEmpty());
    }

    void roomsPageWithoutFacilityIsRefused()
    {
        FacilitiesFrame f;
        f.show();
        QTabBar *tabs = f.frame.pgc1()->tabBar();
        QCOMPARE(tabs->tabText(1), QString("Tesisin Oda/Ev Tanımları"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(f.errors.messages, QStringList({"Kayıt oluşturun"}));
        QCOMPARE(f.frame.pgc1()->currentWidget(), f.frame.ts_bilgi());
        QCOMPARE(tabs->currentIndex(), 0);
        // Refused through the page control's own call as well.
        f.frame.pgc1()->setCurrentIndex(1);
        QCOMPARE(f.errors.messages.size(), 2);
        QCOMPARE(f.frame.pgc1()->currentWidget(), f.frame.ts_bilgi());
    }

    void roomsPageSavesTheTypedFacilityFirst()
    {
        FacilitiesFrame f;
        f.show();
        f.typeNewFacility("Pansiyon Çınar", "88");
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_odalar());
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join('\n')));
        QCOMPARE(f.frame.pgc1()->currentWidget(), f.frame.ts_odalar());
        QCOMPARE(f.facilities().state(), Query::State::Browse);
        QCOMPARE(f.count("SELECT COUNT(*) FROM TESISLER WHERE TESISADI='Pansiyon Çınar' AND TESISKODU=88"), 1);

        // Back to the facility's record is never refused.
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_bilgi());
        QCOMPARE(f.frame.pgc1()->currentWidget(), f.frame.ts_bilgi());
        QVERIFY(f.errors.messages.isEmpty());
    }

    void roomsPageRefusedWhenTheFacilityCannotBeSaved()
    {
        FacilitiesFrame f;
        f.show();
        f.typeNewFacility("Kodsuz Otel", QString());
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_odalar());
        QCOMPARE(f.errors.messages.size(), 1);
        QVERIFY2(f.errors.messages[0].contains("TESISKODU"), qPrintable(f.errors.messages[0]));
        QCOMPARE(f.frame.pgc1()->currentWidget(), f.frame.ts_bilgi());
        QCOMPARE(f.facilities().state(), Query::State::Insert);
        QCOMPARE(f.count("SELECT COUNT(*) FROM TESISLER"), 0);
    }

    void deleteGuard_data()
    {
        QTest::addColumn<QString>("target"); // the facility or the room deleted
        QTest::addColumn<bool>("withRoom");
        QTest::addColumn<bool>("withStay");
        QTest::addColumn<QString>("refuse");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("facility with a room")
            << "facility" << true << false << QString() << QStringList({kDeleteQuestion, kHasDependents}) << false;
        QTest::newRow("facility without rooms, yes")
            << "facility" << false << false << QString() << QStringList({kDeleteQuestion, kAskFacility}) << true;
        QTest::newRow("facility without rooms, cancel")
            << "facility" << false << false << kAskFacility << QStringList({kDeleteQuestion, kAskFacility}) << false;
        QTest::newRow("navigator's question cancelled")
            << "facility" << false << false << kDeleteQuestion << QStringList({kDeleteQuestion}) << false;
        QTest::newRow("room with an ended stay")
            << "room" << true << true << QString() << QStringList({kDeleteQuestion, kHasDependents}) << false;
        QTest::newRow("room without stays")
            << "room" << true << false << QString() << QStringList({kDeleteQuestion, kAskRoom}) << true;
    }
    void deleteGuard()
    {
        QFETCH(QString, target);
        QFETCH(bool, withRoom);
        QFETCH(bool, withStay);
        QFETCH(QString, refuse);
        QFETCH(QStringList, boxes);
        QFETCH(bool, deleted);
        FacilitiesFrame f;
        const qint64 facility = f.addFacility("Otel A");
        if (withRoom) {
            const qint64 room = f.addRoom(facility, "101");
            if (withStay)
                f.addEndedStay(room);
        }
        f.show();
        f.boxes.refuse = refuse;
        const bool facilityTarget = target == "facility";
        (facilityTarget ? f.frame.dbnvgr1() : f.frame.dbnvgr2())->click(Button::Delete);

        QCOMPARE(f.boxes.texts(), boxes);
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join('\n')));
        const auto &last = f.boxes.requests.last();
        if (last.text == kHasDependents) {
            QCOMPARE(last.buttons, QMessageBox::Ok);
        } else if (last.text != kDeleteQuestion) {
            QCOMPARE(last.buttons, QMessageBox::Yes | QMessageBox::Cancel);
            QCOMPARE(last.defaultButton, QMessageBox::Cancel);
        }
        const int facilitiesLeft = f.count("SELECT COUNT(*) FROM TESISLER");
        const int roomsLeft = f.count("SELECT COUNT(*) FROM ODAEV");
        QCOMPARE(facilitiesLeft, facilityTarget && deleted ? 0 : 1);
        QCOMPARE(roomsLeft, withRoom && !(deleted && !facilityTarget) ? 1 : 0);
        QCOMPARE(f.count("SELECT COUNT(*) FROM MISAFIR"), withStay ? 1 : 0);
        QCOMPARE((facilityTarget ? f.facilities() : f.rooms()).recordCount(), deleted ? 0 : 1);
        QVERIFY(!f.db().inTransaction());
    }

    void ctrlDeleteInTheRoomGridAsksBothQuestions()
    {
        FacilitiesFrame f;
        const qint64 facility = f.addFacility("Otel A");
        f.addRoom(facility, "101");
        f.addRoom(facility, "102");
        f.show();
        f.frame.pgc1()->setCurrentWidget(f.frame.ts_odalar());
        QTest::keyClick(f.frame.dbgrd1(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.boxes.texts(), QStringList({kDeleteQuestion, kAskRoom}));
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join('\n')));
        QCOMPARE(f.roomNumbers(), QStringList({"102"}));
        QCOMPARE(f.count("SELECT COUNT(*) FROM ODAEV"), 1);
        QCOMPARE(f.count("SELECT COUNT(*) FROM TESISLER"), 1);
    }

    // The dependents go with the facility through a link marked for deletion only; whatever
    // fails, the dependents and the facility stay together.
    void failingDeleteIsRolledBack_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing fails") << QString() << QString();
        QTest::newRow("the dependents' delete fails")
            << "CREATE TRIGGER NOTSIL BEFORE DELETE ON NOTLAR BEGIN SELECT RAISE(ABORT,'not silinemez'); END"
            << "not silinemez";
        QTest::newRow("the facility's own delete fails")
            << "CREATE TRIGGER TESISSIL BEFORE DELETE ON TESISLER BEGIN SELECT RAISE(ABORT,'tesis silinemez'); END"
            << "tesis silinemez";
    }
    void failingDeleteIsRolledBack()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, error);
        FacilitiesFrame f;
        const qint64 facility = f.addFacility("Otel A");
        f.db().executeScript("CREATE TABLE NOTLAR(IDNOTLAR INTEGER PRIMARY KEY AUTOINCREMENT, _IDTESISLER INT,"
                             " METIN VARCHAR(80))");
        f.db().execute("INSERT INTO NOTLAR(_IDTESISLER,METIN) VALUES(:f,'not')", {{"f", facility}});
        TableLink notes{"TESISLER", "IDTESISLER", "NOTLAR", "_IDTESISLER", false, true, std::nullopt};
        f.module.fdmtbltablelinks() << notes;
        // More facilities after it than the list reads at once: the list's statement stays open
        // across the transaction.
        f.db().beginTransaction();
        for (int i = 0; i < 300; ++i)
            f.addFacility(QString("Pansiyon %1").arg(i, 3, 10, QChar('0')));
        f.db().commit();
        if (!trigger.isEmpty())
            f.db().executeScript(trigger);
        f.show();
        QVERIFY(!f.facilities().isFullyLoaded());
        f.frame.dbnvgr1()->click(Button::Delete);

        const bool fails = !error.isEmpty();
        QCOMPARE(f.errors.messages, fails ? QStringList({error}) : QStringList());
        QCOMPARE(f.count("SELECT COUNT(*) FROM TESISLER WHERE TESISADI='Otel A'"), fails ? 1 : 0);
        QCOMPARE(f.count("SELECT COUNT(*) FROM NOTLAR"), fails ? 1 : 0);
        QCOMPARE(f.facilities().recordCount(), fails ? 301 : 300);
        QVERIFY(!f.db().inTransaction());
    }

    void facilityNavigatorHints()
    {
        FacilitiesFrame f;
        QStringList hints;
        for (Button button : DbNavigator::allButtons())
            hints << f.frame.dbnvgr1()->hint(button);
        QCOMPARE(hints, QStringList({"İlk Kayıt", "Önceki Kayıt", "Sonraki Kayıt", "Son record", "Yeni Kayıt",
                                     "Kaydı Sil", "Kaydı Düzenle", "Düzenlemeyi Kaydet", "Düzenlemeden Vazgeç",
                                     "Kayıtları Yenile"}));
    }
};

QTEST_MAIN(TestFrameTesisler)
#include "tst_frametesisler.moc"
