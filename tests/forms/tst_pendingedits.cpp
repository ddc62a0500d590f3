// Nothing typed on the facilities tab is lost without a question: closing the main window (its
// close control or "Çıkış") or choosing another tab asks whether to save the facility or room
// being typed, and keeping it keeps the operator where he was.
#include "TestSupport.h"
#include "app/Tmainform.h"
#include "controls/DbGrid.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/TFrameMisafirler.h"
#include "forms/TFrameTesisler.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

using Button = DbNavigator::Button;

// The main window with both tabs on a register with one facility, the facilities tab current.
struct Program {
    testsupport::ScopedWorkDir dir;
    Tdm1 dm;
    TFrameMisafirler *guests = new TFrameMisafirler(&dm);
    TFrameTesisler *facilities = new TFrameTesisler(&dm);
    Tmainform main{&dm, guests, facilities};

    QList<MessageBoxes::Request> requests;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        requests << request;
        return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }};
    QStringList errors;

    Program()
    {
        ErrorSink::setHandler([this](const QString &message) { errors << message; });
        dm.dbMain()->execute("INSERT INTO TESISLER(TESISADI,TESISKODU,TESISBOLGE) VALUES('Otel Güneş',1234,'P')");
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QApplication::setActiveWindow(&main);
        clickTab(main.pgc1()->tabBar(), 1);
        QCOMPARE(main.pgc1()->currentIndex(), 1);
    }
    ~Program()
    {
        // Whatever a test left typed goes, so that the window can close.
        answer = QMessageBox::Discard;
        main.close();
        ErrorSink::setHandler({});
    }

    static void clickTab(QTabBar *tabs, int index)
    {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
    static void typeKeys(const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void typeInto(const char *fieldName, const QString &text)
    {
        auto *edit = qobject_cast<QLineEdit *>(facilities->editorFor(fieldName));
        QVERIFY(edit);
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        typeKeys(text);
    }
    // A room typed into the cell of a new row; the cell editor is still open.
    void typeRoom(const QString &number)
    {
        clickTab(facilities->pgc1()->tabBar(), 1);
        QCOMPARE(facilities->pgc1()->currentWidget(), facilities->ts_odalar());
        QTest::mouseClick(facilities->dbnvgr2()->button(Button::Insert), Qt::LeftButton);
        typeKeys(number);
    }
    QStringList questions() const
    {
        QStringList texts;
        for (const auto &request : requests)
            texts << request.text;
        return texts;
    }
    // Leaves the facilities as the row says: the window's close control, "Çıkış", the guest tab.
    void leave(const QString &how)
    {
        if (how == "close control")
            main.close();
        else if (how == "Çıkış")
            main.actcikis()->trigger();
        else
            clickTab(main.pgc1()->tabBar(), 0);
    }
    bool left(const QString &how) const
    {
        return how == "tab" ? main.pgc1()->currentIndex() == 0 : !main.isVisible();
    }
    QString stored(const QString &sql) { return dm.dbMain()->scalar(sql).toString(); }
};

} // namespace

class TestPendingEdits : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void leavingAPendingEditAsks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("leaves");
        QTest::addColumn<QString>("stored");

        const QString renamed = "SELECT group_concat(TESISADI,'|') FROM TESISLER";
        for (const char *how : {"close control", "Çıkış", "tab"}) {
            const QString h = QString::fromUtf8(how);
            QTest::addRow("%s: renamed, Vazgeç", how) << h << "rename" << int(QMessageBox::Cancel) << false << "Otel Güneş";
            QTest::addRow("%s: renamed, Kaydetme", how) << h << "rename" << int(QMessageBox::Discard) << true << "Otel Güneş";
            QTest::addRow("%s: renamed, Kaydet", how) << h << "rename" << int(QMessageBox::Save) << true << "Otel Yıldız";
            // A new facility without its code: the save is refused with the engine's reason.
            QTest::addRow("%s: new without code, Kaydet", how)
                << h << "new" << int(QMessageBox::Save) << false << "Otel Güneş";
            QTest::addRow("%s: room in its cell, Kaydet", how) << h << "room" << int(QMessageBox::Save) << true << "305";
            QTest::addRow("%s: room in its cell, Kaydetme", how) << h << "room" << int(QMessageBox::Discard) << true << "";
        }
    }
    void leavingAPendingEditAsks()
    {
        QFETCH(QString, how);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, leaves);
        QFETCH(QString, stored);
        Program p;
        if (typed == "rename") {
            p.typeInto("TESISADI", "Otel Yıldız");
        } else if (typed == "new") {
            QTest::mouseClick(p.facilities->dbnvgr1()->button(Button::Insert), Qt::LeftButton);
            p.typeInto("TESISADI", "Deniz Otel");
        } else {
            p.typeRoom("305");
        }
        p.answer = QMessageBox::StandardButton(answer);
        p.leave(how);

        QCOMPARE(p.questions(), QStringList({"Değişiklikler kaydedilsin mi?"}));
        const MessageBoxes::Request &question = p.requests.first();
        QCOMPARE(question.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(question.defaultButton, QMessageBox::Cancel);
        QCOMPARE(p.left(how), leaves);
        const bool refused = typed == "new";
        QCOMPARE(p.errors.size(), refused ? 1 : 0);
        if (typed == "room") {
            QCOMPARE(p.stored("SELECT group_concat(ODAEVNO,'|') FROM ODAEV"), stored);
        } else {
            QCOMPARE(p.stored("SELECT group_concat(TESISADI,'|') FROM TESISLER"), stored);
        }
        if (!leaves) {
            // Kept where he was, with what he typed.
            QCOMPARE(p.main.pgc1()->currentIndex(), 1);
            QVERIFY(p.main.isVisible());
            QVERIFY(p.facilities->fdqry_tesisler()->isEditing());
            QCOMPARE(qobject_cast<QLineEdit *>(p.facilities->editorFor("TESISADI"))->text(),
                     typed == "new" ? QString("Deniz Otel") : QString("Otel Yıldız"));
        }
    }

    // Nothing typed, nothing asked: the window closes and the tab changes at once.
    void leavingWithoutAnEditAsksNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close control") << "close control";
        QTest::newRow("Çıkış") << "Çıkış";
        QTest::newRow("tab") << "tab";
    }
    void leavingWithoutAnEditAsksNothing()
    {
        QFETCH(QString, how);
        Program p;
        // A new facility opened but left empty has nothing to lose.
        QTest::mouseClick(p.facilities->dbnvgr1()->button(Button::Insert), Qt::LeftButton);
        p.leave(how);
        QVERIFY(p.questions().isEmpty());
        QVERIFY(p.left(how));
        QCOMPARE(p.stored("SELECT COUNT(*) FROM TESISLER"), QString("1"));
    }

    // "Yeni Giriş" from the facilities tab goes through the same question; Vazgeç keeps the
    // facility being typed and starts no new guest.
    void newGuestWaitsForThePendingFacility()
    {
        Program p;
        p.typeInto("TESISADI", "Otel Yıldız");
        p.answer = QMessageBox::Cancel;
        QTest::keyClick(&p.main, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(p.questions(), QStringList({"Değişiklikler kaydedilsin mi?"}));
        QCOMPARE(p.main.pgc1()->currentIndex(), 1);
        QVERIFY(!p.guests->fdqry_misafirler()->isOpen());
        QVERIFY(p.facilities->fdqry_tesisler()->isEditing());
    }
};

QTEST_MAIN(TestPendingEdits)
#include "tst_pendingedits.moc"
