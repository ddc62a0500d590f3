#include "controls/DbGrid.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"

#include "TestSupport.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include "CapturedErrors.h"

using Button = DbNavigator::Button;

namespace {

using testsupport::CapturedErrors;

// Three rooms and a navigator over them; every box is answered with `answer`.
struct Navigated {
    testsupport::ScopedWorkDir dir;
    CapturedErrors errors;
    QStringList boxTexts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        boxTexts << request.text;
        return answer;
    }};
    Database db;
    Query query{&db};
    DbNavigator navigator;

    explicit Navigated(int rows = 3)
    {
        db.open("qrt.db");
        db.executeScript("CREATE TABLE ODA(IDODA INTEGER PRIMARY KEY AUTOINCREMENT, ODANO VARCHAR(15) NOT NULL)");
        for (int i = 1; i <= rows; ++i)
            db.execute("INSERT INTO ODA(ODANO) VALUES(:n)", {{"n", QString::number(100 + i)}});
        query.setSql("SELECT * FROM ODA ORDER BY IDODA");
        navigator.setQuery(&query);
    }
    int stored() { return db.scalar("SELECT COUNT(*) FROM ODA").toInt(); }
    QStringList enabledButtons() const
    {
        QStringList names;
        const QMetaEnum meta = QMetaEnum::fromType<Button>();
        for (Button button : DbNavigator::allButtons()) {
            if (navigator.button(button)->isEnabled())
                names << meta.valueToKey(int(button));
        }
        return names;
    }
};

} // namespace

class TestDbNavigator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void buttonsFollowTheQueryState_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("enabled");
        const QStringList browsingFirst{"Next", "Last", "Insert", "Delete", "Edit", "Refresh"};
        QTest::newRow("closed") << 3 << "closed" << QStringList();
        QTest::newRow("first row") << 3 << "first" << browsingFirst;
        QTest::newRow("middle row") << 3 << "middle"
                                    << QStringList({"First", "Prior", "Next", "Last", "Insert", "Delete", "Edit", "Refresh"});
        QTest::newRow("last row") << 3 << "last" << QStringList({"First", "Prior", "Insert", "Delete", "Edit", "Refresh"});
        QTest::newRow("editing") << 3 << "edit" << QStringList({"Next", "Last", "Insert", "Delete", "Post", "Cancel"});
        QTest::newRow("read-only") << 3 << "readonly" << QStringList({"Next", "Last", "Refresh"});
        QTest::newRow("empty") << 0 << "first" << QStringList({"Insert", "Edit", "Refresh"});
    }
    void buttonsFollowTheQueryState()
    {
        QFETCH(int, rows);
        QFETCH(QString, situation);
        QFETCH(QStringList, enabled);
        Navigated n(rows);
        n.query.setReadOnly(situation == "readonly");
        if (situation != "closed")
            n.query.open();
        if (situation == "middle")
            n.query.moveTo(1);
        else if (situation == "last")
            n.query.last();
        else if (situation == "edit")
            n.query.edit();
        QCOMPARE(n.enabledButtons(), enabled);
    }

    void buttonsActOnTheQuery()
    {
        Navigated n;
        n.query.open();
        n.navigator.click(Button::Next);
        QCOMPARE(n.query.row(), 1);
        n.navigator.click(Button::Last);
        QCOMPARE(n.query.row(), 2);
        n.navigator.click(Button::Prior);
        QCOMPARE(n.query.row(), 1);
        n.navigator.click(Button::First);
        QCOMPARE(n.query.row(), 0);

        n.navigator.click(Button::Insert);
        QCOMPARE(n.query.state(), Query::State::Insert);
        n.query.fieldByName("ODANO").setValue("201");
        n.navigator.click(Button::Post);
        QCOMPARE(n.query.state(), Query::State::Browse);
        QCOMPARE(n.stored(), 4);

        n.navigator.click(Button::Edit);
        n.query.fieldByName("ODANO").setValue("999");
        n.navigator.click(Button::Cancel);
        QCOMPARE(n.query.fieldByName("ODANO").asString(), QString("201"));
        QCOMPARE(n.db.scalar("SELECT COUNT(*) FROM ODA WHERE ODANO='999'").toInt(), 0);

        n.db.execute("INSERT INTO ODA(ODANO) VALUES('301')");
        n.navigator.click(Button::Refresh);
        QCOMPARE(n.query.recordCount(), 5);
        QVERIFY(n.errors.messages.isEmpty());
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("left");
        QTest::newRow("confirmed") << true << int(QMessageBox::Ok) << QStringList({"Kayıt silinsin mi?"}) << 2;
        QTest::newRow("cancelled") << true << int(QMessageBox::Cancel) << QStringList({"Kayıt silinsin mi?"}) << 3;
        QTest::newRow("not asked") << false << int(QMessageBox::Cancel) << QStringList() << 2;
    }
    void deleteAsksFirst()
    {
        QFETCH(bool, confirm);
        QFETCH(int, answer);
        QFETCH(QStringList, boxes);
        QFETCH(int, left);
        Navigated n;
        n.answer = QMessageBox::StandardButton(answer);
        n.navigator.setConfirmDelete(confirm);
        n.query.open();
        n.navigator.button(Button::Delete)->click();
        QCOMPARE(n.boxTexts, boxes);
        QCOMPARE(n.stored(), left);
        QCOMPARE(n.query.recordCount(), left);
    }

    void replacedActionRunsAfterTheQuestion()
    {
        Navigated n;
        n.query.open();
        QStringList calls;
        n.navigator.setAction(Button::Delete, [&] { calls << "own delete after " + n.boxTexts.join(','); });
        QSignalSpy clicked(&n.navigator, &DbNavigator::clicked);
        n.navigator.click(Button::Delete);
        QCOMPARE(calls, QStringList({"own delete after Kayıt silinsin mi?"}));
        QCOMPARE(n.stored(), 3);
        QCOMPARE(clicked.count(), 1);

        n.navigator.setAction(Button::Delete, {});
        n.navigator.click(Button::Delete);
        QCOMPARE(n.stored(), 2);
    }

    void failedOperationIsReportedAndNotAnnounced()
    {
        Navigated n;
        n.query.open();
        QSignalSpy clicked(&n.navigator, &DbNavigator::clicked);
        n.navigator.click(Button::Insert);
        n.navigator.click(Button::Post);
        QCOMPARE(n.errors.messages.size(), 1);
        QVERIFY2(n.errors.messages[0].contains("ODANO"), qPrintable(n.errors.messages[0]));
        QCOMPARE(n.query.state(), Query::State::Insert);
        QCOMPARE(clicked.count(), 1); // the insert only
        QCOMPARE(clicked.at(0).at(0).value<Button>(), Button::Insert);
    }

    // The save button saves what is being typed in a grid cell, as the grid would on leaving it.
    void postSavesTheCellBeingTyped()
    {
        Navigated n;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *navigator = new DbNavigator(&window);
        navigator->setQuery(&n.query);
        auto *grid = new DbGrid(&window);
        grid->setQuery(&n.query);
        layout->addWidget(navigator);
        layout->addWidget(grid);
        n.query.open();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QModelIndex cell = grid->model()->index(0, grid->model()->columnOfField("ODANO"));
        grid->setCurrentIndex(cell);
        grid->setFocus();
        grid->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "150");
        QVERIFY(navigator->button(Button::Post)->isEnabled());
        navigator->button(Button::Post)->click();
        QVERIFY2(n.errors.messages.isEmpty(), qPrintable(n.errors.messages.join('\n')));
        QCOMPARE(n.db.scalar("SELECT ODANO FROM ODA WHERE IDODA=1").toString(), QString("150"));
        QCOMPARE(n.query.state(), Query::State::Browse);
    }
};

QTEST_MAIN(TestDbNavigator)
#include "tst_dbnavigator.moc"
