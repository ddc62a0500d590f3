#include "db/Database.h"
#include "db/EditorBinding.h"
#include "db/Query.h"
#include "forms/TMyformbase.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

namespace {

using ControlFactory = std::function<QWidget *(QWidget *parent)>;

// A secondary window with one control under test, a following line edit and a push button that
// Enter must not press by accident.
class KeyWindow : public TMyformbase {
public:
    explicit KeyWindow(const ControlFactory &makeControl)
    {
        auto *layout = new QVBoxLayout(this);
        control = makeControl(this);
        next = new QLineEdit(this);
        button = new QPushButton("Seç...", this);
        layout->addWidget(control);
        layout->addWidget(next);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this] { ++buttonClicks; });
    }
    QWidget *control;
    QLineEdit *next;
    QPushButton *button;
    int buttonClicks = 0;
};

// A window that counts its one-time set-up and its showings and closings.
class CountingWindow : public TMyformbase {
public:
    CountingWindow() { ++setups; }
    static inline int setups = 0;
    int shows = 0;
    int closes = 0;

protected:
    void FormShow() override { ++shows; }
    void FormClose() override { ++closes; }
};

// A single-line edit bound to a settings column, the way the windows bind their editors.
struct BoundEdit {
    testsupport::ScopedWorkDir dir;
    Database db;
    Query query{&db};
    EditorBinding binding;

    BoundEdit()
    {
        db.open("qrt.db");
        db.executeScript("CREATE TABLE AYAR(IDAYAR INTEGER PRIMARY KEY, AKBXMLDIZIN VARCHAR(255));"
                         "INSERT INTO AYAR VALUES (1, '/srv/akbs');");
        query.setSql("SELECT * FROM AYAR");
        query.open();
        binding.setQuery(&query);
    }
};

void showAndFocus(KeyWindow &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    window.control->setFocus();
    QTRY_VERIFY(window.control->hasFocus());
}

} // namespace

class TestFormBase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void enterInControl_data()
    {
        QTest::addColumn<ControlFactory>("makeControl");
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("line edit") << ControlFactory([](QWidget *p) { return new QLineEdit(p); }) << true;
        QTest::newRow("combo box") << ControlFactory([](QWidget *p) {
            auto *combo = new QComboBox(p);
            combo->addItems({"TÜRKİYE", "ALMANYA"});
            return combo;
        }) << true;
        QTest::newRow("editable combo box") << ControlFactory([](QWidget *p) {
            auto *combo = new QComboBox(p);
            combo->setEditable(true);
            return combo;
        }) << true;
        QTest::newRow("date edit") << ControlFactory([](QWidget *p) { return new QDateEdit(QDate(2024, 3, 1), p); }) << false;
        QTest::newRow("check box") << ControlFactory([](QWidget *p) { return new QCheckBox("Aktif", p); }) << false;
        QTest::newRow("plain text edit") << ControlFactory([](QWidget *p) { return new QPlainTextEdit(p); }) << false;
        QTest::newRow("line edit keeping Enter") << ControlFactory([](QWidget *p) {
            auto *edit = new QLineEdit(p);
            TMyformbase::keepEnterUsual(edit);
            return edit;
        }) << false;
    }
    // Enter moves on from single-line edits and combo boxes only, and never presses a button
    // that the window did not make default.
    void enterInControl()
    {
        QFETCH(ControlFactory, makeControl);
        QFETCH(bool, movesOn);
        KeyWindow window(makeControl);
        showAndFocus(window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(50);
        QCOMPARE(window.next->hasFocus(), movesOn);
        QCOMPARE(window.control->hasFocus(), !movesOn);
        QCOMPARE(window.buttonClicks, 0);
        QVERIFY(window.isVisible());
        if (auto *memo = qobject_cast<QPlainTextEdit *>(window.control))
            QCOMPARE(memo->toPlainText(), QString("\n"));
    }

    void enterInBoundEditMovesOnAndKeepsItsValue()
    {
        BoundEdit data;
        KeyWindow window([](QWidget *p) { return new QLineEdit(p); });
        auto *edit = static_cast<QLineEdit *>(window.control);
        data.binding.bind(edit, "AKBXMLDIZIN");
        showAndFocus(window);
        edit->end(false);
        QTest::keyClicks(edit, "/yeni");
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(window.next->hasFocus());
        QCOMPARE(data.query.fieldByName("AKBXMLDIZIN").asString(), QString("/srv/akbs/yeni"));
    }

    // A cell editor of a grid takes Enter as its own: the value is committed in the cell.
    void enterInGridCellEditorCommits()
    {
        KeyWindow window([](QWidget *p) {
            auto *grid = new QTableWidget(1, 1, p);
            grid->setItem(0, 0, new QTableWidgetItem("101"));
            return grid;
        });
        auto *grid = static_cast<QTableWidget *>(window.control);
        showAndFocus(window);
        grid->setCurrentCell(0, 0);
        grid->editItem(grid->item(0, 0));
        QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        QLineEdit *cellEditor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(!TMyformbase::passesEnterAsTab(cellEditor));
        cellEditor->selectAll();
        QTest::keyClicks(cellEditor, "102");
        QTest::keyClick(cellEditor, Qt::Key_Return);
        QTRY_COMPARE(grid->item(0, 0)->text(), QString("102"));
        QVERIFY(!window.next->hasFocus());
    }

    void enterOnFocusedButtonPressesItAndEscapeKeepsWindowOpen()
    {
        KeyWindow window([](QWidget *p) { return new QLineEdit(p); });
        showAndFocus(window);
        window.button->setFocus();
        QTRY_VERIFY(window.button->hasFocus());
        QTest::keyClick(window.button, Qt::Key_Return);
        QTRY_COMPARE(window.buttonClicks, 1);
        QTest::keyClick(window.next, Qt::Key_Escape);
        QTest::qWait(20);
        QVERIFY(window.isVisible());
    }

    // However a window is closed, it is hidden, not destroyed; its clean-up runs once per
    // closing and its one-time set-up never again.
    void closedWindowIsHiddenAndShownAgain()
    {
        CountingWindow::setups = 0;
        auto *window = new CountingWindow;
        QPointer<CountingWindow> guard(window);

        window->show();
        QVERIFY(window->close());
        QVERIFY(guard);
        QVERIFY(window->isHidden());
        QCOMPARE(window->closes, 1);

        QTimer::singleShot(0, window, [window] { window->reject(); });
        window->exec();
        QVERIFY(guard);
        QTimer::singleShot(0, window, [window] { window->accept(); });
        QCOMPARE(window->exec(), int(QDialog::Accepted));
        QTimer::singleShot(0, window, [window] { window->close(); });
        window->exec();

        QVERIFY(guard);
        QCOMPARE(CountingWindow::setups, 1);
        QCOMPARE(window->shows, 4);
        QCOMPARE(window->closes, 4);
        delete window;
    }
};

QTEST_MAIN(TestFormBase)
#include "tst_formbase.moc"
