#include "controls/DbGrid.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"

#include "TestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

namespace {

// Four rooms, shown in a grid with the room number, a hidden id and the description.
struct RoomGrid {
    testsupport::ScopedWorkDir dir;
    Database db;
    Query query{&db};
    DbGrid grid;

    RoomGrid()
    {
        db.open("qrt.db");
        db.executeScript("CREATE TABLE ODAEV(IDODAEV INTEGER PRIMARY KEY AUTOINCREMENT, _IDTESISLER INT NOT NULL,"
                         " ODAEVNO VARCHAR(15), ODAEVACIKLAMA VARCHAR(80));"
                         "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO,ODAEVACIKLAMA) VALUES"
                         " (1,'101','Deniz'),(1,'102','Bahçe'),(1,'103','Dağ'),(2,'1','Müstakil ev');");
        query.setSql("SELECT * FROM ODAEV ORDER BY IDODAEV");
        query.prepareFields();
        query.fieldByName("ODAEVNO").setDisplayWidth(6);
        query.fieldByName("ODAEVACIKLAMA").setDisplayWidth(20);
        grid.setQuery(&query);
        grid.clearColumns();
        grid.addColumn({"ODAEVNO", "ODA/EV NO", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.addColumn({"IDODAEV", "ID", false, true, Qt::AlignRight, Qt::AlignRight});
        grid.addColumn({"ODAEVACIKLAMA", "ACIKLAMA", true, false, Qt::AlignLeft, Qt::AlignLeft});
        query.open();
        grid.resize(600, 300);
        grid.show();
        // The view asks for the rows it has room for once it has been laid out.
        if (!QTest::qWaitForWindowExposed(&grid) || !QTest::qWaitFor([this] { return grid.model()->rowCount() == 4; }))
            qWarning("grid not shown with its rows");
    }

    void clickRow(int row)
    {
        const QRect cell = grid.visualRect(grid.model()->index(row, 0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }
};

// Collects what reaches the program's error box.
struct ErrorCapture {
    QStringList messages;
    ErrorCapture()
    {
        ErrorSink::setHandler([this](const QString &message) { messages << message; });
    }
    ~ErrorCapture() { ErrorSink::setHandler({}); }
};

} // namespace

class TestDbGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void columnsTakeTheirWidthFromTheFieldsAndKeepTheirPlace()
    {
        RoomGrid f;
        QCOMPARE(f.grid.model()->columnCount(), 3);
        QVERIFY(f.grid.isColumnHidden(1));
        QCOMPARE(f.grid.columnWidth(0), f.grid.columnWidthForCharacters(6));
        QCOMPARE(f.grid.columnWidth(2), f.grid.columnWidthForCharacters(20));
        QVERIFY(f.grid.columnWidthForCharacters(20) > f.grid.columnWidthForCharacters(6));
        QVERIFY(f.grid.verticalHeader()->isHidden());

        QFont larger = f.grid.font();
        larger.setPointSize(larger.pointSize() * 2);
        f.grid.setFont(larger);
        QCOMPARE(f.grid.columnWidth(2), f.grid.columnWidthForCharacters(20)); // follows the font
    }

    void layoutSurvivesCloseAndReopen()
    {
        RoomGrid f;
        f.grid.horizontalHeader()->resizeSection(2, 333); // as if the user dragged the border
        for (int pass = 0; pass < 2; ++pass) {
            f.query.close();
            QCOMPARE(f.grid.model()->rowCount(), 0);
            f.query.open();
            QCOMPARE(f.grid.model()->rowCount(), 4);
            QVERIFY(f.grid.isColumnHidden(1));
            QVERIFY(!f.grid.isColumnHidden(2));
            QCOMPARE(f.grid.columnWidth(0), f.grid.columnWidthForCharacters(6));
            QCOMPARE(f.grid.columnWidth(2), 333);
            QCOMPARE(f.grid.currentIndex().row(), 0);
        }
        f.grid.clearColumns();
        f.grid.addColumn({"ODAEVACIKLAMA", "ACIKLAMA", true, false, Qt::AlignLeft, Qt::AlignLeft});
        QCOMPARE(f.grid.columnWidth(0), f.grid.columnWidthForCharacters(20)); // new columns start afresh
    }

    void viewAndQueryFollowEachOther()
    {
        RoomGrid f;
        QCOMPARE(f.grid.currentIndex().row(), 0);
        QCOMPARE(f.grid.currentIndex().column(), 0);

        f.query.last();
        QCOMPARE(f.grid.currentIndex().row(), 3);
        QVERIFY(f.grid.selectionModel()->isRowSelected(3));

        f.clickRow(1);
        QCOMPARE(f.query.row(), 1);
        QCOMPARE(f.query.fieldByName("ODAEVNO").asString(), QString("102"));
        QTest::keyClick(f.grid.viewport(), Qt::Key_Down);
        QCOMPARE(f.query.row(), 2);

        f.clickRow(0);
        QCOMPARE(f.grid.selectionModel()->selectedRows().size(), 1); // one row at a time
    }

    void refusedMoveIsReportedAndTheViewStays()
    {
        RoomGrid f;
        ErrorCapture errors;
        f.query.onBeforePost = [](Query &) { throw AppError("ODA/EV NO boş olamaz."); };
        f.query.edit();
        f.query.fieldByName("ODAEVNO").setValue(QString());

        f.clickRow(2);
        QCOMPARE(errors.messages, QStringList{"ODA/EV NO boş olamaz."});
        QCOMPARE(f.query.row(), 0);
        QVERIFY(f.query.isEditing());
        QTRY_COMPARE(f.grid.currentIndex().row(), 0);
        QVERIFY(f.grid.selectionModel()->isRowSelected(0));
    }

    // A cell editor takes no more characters than the column holds: a room number typed too long
    // is cut at 15 characters before it reaches the row.
    void cellEditorKeepsToTheColumnSize_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("room number, 26 typed") << 0 << "10110110110110110110110110" << "101101101101101";
        QTest::newRow("room number that fits") << 0 << "Kat 2 / 204" << "Kat 2 / 204";
        QTest::newRow("Turkish letters count once") << 0 << "ĞÜŞİÖÇığüşiöçĞÜŞ" << "ĞÜŞİÖÇığüşiöçĞÜ";
        QTest::newRow("description of 80") << 2 << QString(90, 'x') << QString(80, 'x');
    }

    void cellEditorKeepsToTheColumnSize()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        RoomGrid f;
        ErrorCapture errors;
        const QModelIndex cell = f.grid.model()->index(1, column);
        f.grid.setCurrentIndex(cell);
        f.grid.edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        // Key by key, Turkish letters too (keyClicks takes only Latin-1).
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(editor->text(), stored);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(errors.messages, QStringList());
        const QString fieldName = column == 0 ? "ODAEVNO" : "ODAEVACIKLAMA";
        QTRY_COMPARE(f.query.fieldByName(fieldName).asString(), stored); // the editor commits queued
        f.query.post();
        QCOMPARE(f.db.scalar("SELECT " + fieldName + " FROM ODAEV WHERE IDODAEV=2").toString(), stored);
        QVERIFY(errors.messages.isEmpty());
    }
};

QTEST_MAIN(TestDbGrid)
#include "tst_dbgrid.moc"
