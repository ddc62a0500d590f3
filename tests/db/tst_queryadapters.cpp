#include "DbFixture.h"
#include "db/EditorBinding.h"
#include "db/Query.h"
#include "db/QueryTableModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

class TestQueryAdapters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void modelShowsRowsAsTheViewNeedsThem()
    {
        DbFixture f;
        f.db.executeScript("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<20000)"
                           " INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) SELECT 2, i FROM n;");
        Query q(&f.db);
        q.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        q.open();
        q.fieldByName("ODAEVNO").setDisplayLabel("ODA/EV NO");
        QueryTableModel model;
        model.setQuery(&q);
        QTableView view;
        view.setModel(&model);
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(model.rowCount() < 1000); // the first screen does not read the table
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("ODA/EV NO"));
        QCOMPARE(model.data(model.index(0, 2)).toString(), QString("101"));
        QCOMPARE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
                 Qt::AlignRight);
        while (model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
        QCOMPARE(model.rowCount(), 20003);
        QCOMPARE(q.loadedCount(), 20003);
    }

    void modelFollowsEditsInsertsAndDeletes()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        q.open();
        QueryTableModel model;
        model.setQuery(&q);
        model.clearColumns();
        model.addColumn({"ODAEVNO", "ODA", true, false, Qt::AlignLeft, Qt::AlignLeft});
        model.addColumn({"IDODAEV", "ID", true, true, Qt::AlignRight, Qt::AlignRight});
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        while (model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
        QVERIFY(model.setData(model.index(1, 0), "202"));
        QCOMPARE(q.recNo(), 2);
        QCOMPARE(q.state(), Query::State::Edit);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        q.post();
        QVERIFY(!changed.isEmpty());
        QCOMPARE(f.db.scalar("SELECT ODAEVNO FROM ODAEV WHERE IDODAEV=2").toString(), QString("202"));

        q.insert();
        QCOMPARE(model.rowCount(), 4);
        q.cancel();
        QCOMPARE(model.rowCount(), 3);
        q.first();
        q.remove();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0, 0)).toString(), QString("202"));
        q.close();
        QCOMPARE(model.rowCount(), 0);
    }

    void bindingShowsTheRecordAndTypingEdits()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER ORDER BY IDTESISLER");
        q.open();
        QWidget window;
        auto *name = new QLineEdit(&window);
        auto *active = new QCheckBox(&window);
        auto *code = new QComboBox(&window);
        code->addItem("Bir", 1234);
        code->addItem("Doksan dokuz", 99);
        EditorBinding binding;
        QList<Field *> changes;
        connect(&binding, &EditorBinding::dataChange, &binding, [&](Field *field) { changes << field; });
        binding.setQuery(&q);
        binding.bind(name, "TESISADI");
        binding.bind(active, "TESISAKTIF");
        binding.bind(code, "TESISKODU");
        QCOMPARE(name->text(), QString("Otel Güneş"));
        QVERIFY(active->isChecked());
        QCOMPARE(code->currentIndex(), 0);
        QCOMPARE(binding.editorFor("tesisadi"), name);

        q.next();
        QCOMPARE(name->text(), QString("Pansiyon Çınar"));
        QCOMPARE(code->currentIndex(), 1);
        QVERIFY(changes.count() >= 1);
        QVERIFY(changes.last() == nullptr); // a move names no field

        window.show();
        name->setFocus();
        changes.clear();
        QCOMPARE(name->cursorPosition(), 0); // a long text is shown from its beginning
        name->end(false);
        QTest::keyClicks(name, " x");
        QCOMPARE(q.state(), Query::State::Edit);
        QCOMPARE(q.fieldByName("TESISADI").asString(), QString("Pansiyon Çınar x"));
        QCOMPARE(changes.last(), &q.fieldByName("TESISADI"));
        active->click();
        QCOMPARE(q.fieldByName("TESISAKTIF").asBoolean(), false);
        q.post();
        QCOMPARE(f.db.scalar("SELECT TESISADI||TESISAKTIF FROM TESISLER WHERE IDTESISLER=2").toString(),
                 QString("Pansiyon Çınar x0"));
        q.close();
        QVERIFY(!name->isEnabled());
    }

    void onlyTheEditorTypedIntoKeepsItsOwnText()
    {
        DbFixture f;
        Query q(&f.db);
        q.setSql("SELECT * FROM TESISLER ORDER BY IDTESISLER");
        q.open();
        QWidget window;
        auto *typed = new QLineEdit(&window);
        auto *mirror = new QLineEdit(&window);
        auto *other = new QLineEdit(&window);
        EditorBinding binding;
        binding.setQuery(&q);
        // Line edits are loaded with the cursor at the start: a reload while typing would show.
        binding.bind(typed, "TESISADI");
        binding.bind(mirror, "TESISADI");
        binding.bind(other, "TESISKODU");
        window.show();
        other->setFocus(); // the keys reach the editor, the focus is elsewhere

        typed->end(false);
        QTest::keyClicks(typed, "xyz");
        QCOMPARE(typed->text(), QString("Otel Güneşxyz"));
        QCOMPARE(mirror->text(), QString("Otel Güneşxyz"));

        // A value the program writes shows even in the focused editor.
        q.fieldByName("TESISKODU").setValue(77);
        QCOMPARE(other->text(), QString("77"));
    }
};

QTEST_MAIN(TestQueryAdapters)
#include "tst_queryadapters.moc"
