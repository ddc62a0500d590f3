// The filter grid over the guest list's own statement on a database built by the creation
// script: filter cells that stay on their columns and announce changes, ticks kept by key,
// title-click sorting of the loaded rows, Enter moving like Tab, and per-row colours.
#include "TestSupport.h"
#include "controls/FilterGrid.h"
#include "controls/FilterHeader.h"
#include "data/CreationScript.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"
#include "gen/GridFilter.h"

#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

const char *kGuestListSql =
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\nWHERE (&staticfilter) AND (&filter)\nGROUP BY IDMISAFIR\nHAVING "
    "(&having)\nORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC";

// Column numbers of the fixture's grid.
enum Column { Adi, Soyadi, Id, Cilt, Gelis, Adres, Dogumyeri, Missing, ColumnCount };

// Five guests, ids 1 to 5 and listed newest first, in a grid too wide for its window, with a
// hidden id column and a column whose field the query does not have. The grid's filter bar is
// bound to the windows' change handler.
struct GuestGrid {
    testsupport::ScopedWorkDir dir;
    Database db;
    Query query{&db};
    FilterGrid grid;

    explicit GuestGrid(int extraGuests = 0)
    {
        db.open("qrt.db");
        db.executeScript(creationScriptText());
        db.execute("INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P','Otel Çınar')");
        db.execute("INSERT INTO ODAEV (_IDTESISLER,ODAEVNO) VALUES (1,'101')");
        addGuest("AHMET", "CAN", 3, "2017-04-30");
        addGuest("MEHMET", "AKSOY", 7, "2017-05-01");
        addGuest("ZEYNEP", "EROL", 12, "2017-05-15");
        addGuest("ALI", "DEMIR", 5, "2017-05-31");
        addGuest("AYSE", "BAYRAK", 10, "2016-12-31");
        if (extraGuests > 0) {
            db.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<:count) "
                       "INSERT INTO MISAFIR (_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,"
                       "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,GELISTARIH) SELECT 1,'N','A1','TC','EK',"
                       "'MISAFIR','E','B','ANKARA','1980-01-01','ANKARA','2017-01-01' FROM n",
                       {{"count", extraGuests}});
        }
        query.setSql(QString::fromUtf8(kGuestListSql));
        for (const char *macro : {"staticfilter", "filter", "having"})
            query.setMacro(macro, "1");
        query.prepareFields();
        query.fieldByName("ADI").setDisplayWidth(12);
        query.fieldByName("SOYADI").setDisplayWidth(12);
        query.fieldByName("IKAMETADRESI").setDisplayWidth(40);
        query.fieldByName("DOGUMYERI").setDisplayWidth(30);

        grid.setQuery(&query);
        grid.clearColumns();
        grid.addColumn({"ADI", "ADI", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.addColumn({"SOYADI", "SOYADI", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.addColumn({"IDMISAFIR", "ID", false, true, Qt::AlignRight, Qt::AlignRight});
        grid.addColumn({"NUFUSCILT", "CİLT", true, false, Qt::AlignRight, Qt::AlignRight});
        grid.addColumn({"GELISTARIH", "GELİŞ", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.addColumn({"IKAMETADRESI", "ADRES", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.addColumn({"DOGUMYERI", "DOĞUM YERİ", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.addColumn({"HESAPLANAN", "HESAP", true, false, Qt::AlignLeft, Qt::AlignLeft});
        grid.setKeyFieldName("IDMISAFIR");
        grid.setReadOnly(true);
        QObject::connect(&grid, &FilterGrid::filterChanged, &grid,
                         [this] { filtreDegisti(query, Tmyfieldset(), grid.filterColumns()); });
        query.open();
        grid.resize(500, 260);
        grid.show();
        // The view asks for the rows it has room for once it has been laid out.
        if (!QTest::qWaitForWindowExposed(&grid) || !QTest::qWaitFor([this] { return grid.model()->rowCount() >= 5; }))
            qWarning("grid not shown with its rows");
    }

    void addGuest(const QString &name, const QString &surname, int volume, const QString &arrival)
    {
        db.execute("INSERT INTO MISAFIR (_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,"
                   "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,IKAMETADRESI,NUFUSCILT,GELISTARIH) VALUES "
                   "(1,'N','A1','TC',:adi,:soyadi,'E','B','ANKARA','1980-01-01','ANKARA',:cilt,:gelis)",
                   {{"adi", name}, {"soyadi", surname}, {"cilt", volume}, {"gelis", arrival}});
    }

    FilterHeader *titles() const { return grid.filterHeader(); }
    QLineEdit *cell(int column) const { return titles()->filterEdit(column); }

    // The loaded rows' values of one field, top to bottom.
    QStringList column(const QString &fieldName)
    {
        QStringList values;
        const int index = query.fieldByName(fieldName).columnIndex();
        query.fetchAll();
        for (int row = 0; row < query.loadedCount(); ++row)
            values << query.rawValue(row, index).toString();
        return values;
    }

    int rowOfId(int id)
    {
        return int(column("IDMISAFIR").indexOf(QString::number(id)));
    }

    void clickTitle(int logical)
    {
        const QPoint centre(titles()->sectionViewportPosition(logical) + titles()->sectionSize(logical) / 2,
                            titles()->titleHeight() / 2);
        QTest::mouseClick(titles()->viewport(), Qt::LeftButton, {}, centre);
    }

    void clickIndicator(int row)
    {
        QHeaderView *indicator = grid.verticalHeader();
        const QPoint centre(indicator->width() / 2,
                            indicator->sectionViewportPosition(row) + indicator->sectionSize(row) / 2);
        QTest::mouseClick(indicator->viewport(), Qt::LeftButton, {}, centre);
    }

    // Every cell on its column: same left edge and width in grid coordinates, hidden with it.
    void verifyCellsFollowColumns()
    {
        for (int column = 0; column < ColumnCount; ++column) {
            QLineEdit *edit = cell(column);
            QVERIFY(edit);
            if (grid.isColumnHidden(column)) {
                QVERIFY2(edit->isHidden(), qPrintable(QString::number(column)));
                continue;
            }
            const QPoint columnLeft = grid.viewport()->mapTo(&grid, QPoint(grid.columnViewportPosition(column), 0));
            QCOMPARE(edit->mapTo(&grid, QPoint()).x(), columnLeft.x());
            QCOMPARE(edit->width(), grid.columnWidth(column));
            QCOMPARE(edit->y(), titles()->titleHeight());
            QCOMPARE(edit->y() + edit->height(), titles()->height());
            QVERIFY(edit->isVisibleTo(&grid));
        }
    }
};

QRect innerRect(const QRect &cell)
{
    return cell.adjusted(2, 2, -2, -2);
}

bool containsColor(const QImage &image, const QRect &area, const QColor &color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == color)
                return true;
        }
    }
    return false;
}

} // namespace

class TestFilterGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void filterCellsFollowTheirColumns()
    {
        GuestGrid f;
        f.grid.setTitleHeight(24);
        f.grid.setDefaultRowHeight(17);
        QCOMPARE(f.titles()->height(), 24 + f.titles()->filterRowHeight());
        QCOMPARE(f.grid.viewport()->y(), f.titles()->geometry().bottom() + 1); // rows start below the cells
        QCOMPARE(f.grid.rowHeight(0), 17);
        f.verifyCellsFollowColumns();

        f.titles()->resizeSection(Soyadi, 190); // as the user drags a border
        f.verifyCellsFollowColumns();
        f.titles()->moveSection(f.titles()->visualIndex(Cilt), 0);
        f.verifyCellsFollowColumns();
        f.grid.setColumnHidden(Gelis, true);
        f.verifyCellsFollowColumns();
        f.grid.setColumnHidden(Gelis, false);

        QScrollBar *sideways = f.grid.horizontalScrollBar();
        QVERIFY(sideways->maximum() > 0);
        sideways->setValue(sideways->maximum());
        f.verifyCellsFollowColumns();
        sideways->setValue(sideways->maximum() / 2);
        f.verifyCellsFollowColumns();

        // A re-run of the query keeps the dragged width, and the cells stay on their columns.
        f.grid.setFilterText(Adi, "A");
        QCOMPARE(f.grid.columnWidth(Soyadi), 190);
        f.verifyCellsFollowColumns();

        f.grid.setCheckBoxes(true); // the indicator column pushes everything to the right
        f.verifyCellsFollowColumns();
    }

    void typingAnnouncesAfterAPauseAndAtOnceOnEnter()
    {
        GuestGrid f;
        QSignalSpy changes(&f.grid, &FilterGrid::filterChanged);
        QTest::keyClicks(f.cell(Adi), "ahm");
        QCOMPARE(changes.count(), 0); // still typing
        QVERIFY(changes.wait(2000));
        QCOMPARE(changes.count(), 1); // one announcement for the whole word
        QCOMPARE(f.column("ADI"), QStringList{"AHMET"});

        QTest::keyClick(f.cell(Adi), Qt::Key_Backspace);
        QTest::keyClick(f.cell(Adi), Qt::Key_Backspace);
        QTest::keyClick(f.cell(Adi), Qt::Key_Return);
        QCOMPARE(changes.count(), 2); // Enter does not wait
        QCOMPARE(f.column("ADI"), (QStringList{"AYSE", "ALI", "AHMET"}));
        QTest::qWait(f.titles()->filterDelay() + 200);
        QCOMPARE(changes.count(), 2); // and the pause that was running does not announce again
        QCOMPARE(f.grid.filterText(Adi), QString("a"));
    }

    void textsSetFromCodeAnnounceAtOnceAndOnce()
    {
        GuestGrid f;
        QSignalSpy changes(&f.grid, &FilterGrid::filterChanged);

        f.grid.setFilterText(Cilt, ">5");
        QCOMPARE(changes.count(), 1);
        QCOMPARE(f.query.macro("filter"), QString("((NUFUSCILT > 5))"));
        f.grid.setFilterText(Cilt, ">5"); // nothing changes, nothing to run again
        QCOMPARE(changes.count(), 1);

        f.grid.setFilterText(Soyadi, "E");
        QCOMPARE(changes.count(), 2);
        QCOMPARE(f.column("ADI"), QStringList{"ZEYNEP"}); // both cells apply
        QVERIFY(f.grid.hasFilterText());

        f.grid.clearFilters();
        QCOMPARE(changes.count(), 3); // one for all cells
        QCOMPARE(f.grid.filterTexts(), QStringList(ColumnCount, QString()));
        QCOMPARE(f.query.macro("filter"), QString("1"));
        QCOMPARE(f.column("IDMISAFIR").size(), 5);
        f.grid.clearFilters();
        QCOMPARE(changes.count(), 3);

        // Typing still waiting for its pause is applied with the texts set from code, once.
        QTest::keyClicks(f.cell(Adi), "zey");
        f.grid.setFilterText(Cilt, "12");
        QCOMPARE(changes.count(), 4);
        QCOMPARE(f.column("ADI"), QStringList{"ZEYNEP"});
        QTest::qWait(f.titles()->filterDelay() + 200);
        QCOMPARE(changes.count(), 4);

        f.grid.setFilterTexts({"", "", "", "", "", "", ""});
        QCOMPARE(changes.count(), 5);
        QVERIFY(!f.grid.hasFilterText());
    }

    void filterColumnsDescribeEveryColumnInTheOrderShown()
    {
        GuestGrid f;
        f.titles()->moveSection(f.titles()->visualIndex(Gelis), 0);
        f.grid.setFilterText(Gelis, ">=01.05.2017");
        const QList<FilterColumn> columns = f.grid.filterColumns();
        QCOMPARE(columns.size(), int(ColumnCount));
        QCOMPARE(columns[0].fieldName, QString("GELISTARIH"));
        QCOMPARE(columns[0].filterText, QString(">=01.05.2017"));
        QCOMPARE(columns[0].type, FieldType::Date);
        QVERIFY(columns[0].isDataField);
        QCOMPARE(columns[1].fieldName, QString("ADI"));
        QCOMPARE(columns[1].type, FieldType::String);
        QCOMPARE(columns[3].fieldName, QString("IDMISAFIR")); // hidden columns are listed too
        QCOMPARE(columns[4].type, FieldType::Integer);
        QCOMPARE(columns.last().fieldName, QString("HESAPLANAN"));
        QVERIFY(!columns.last().isDataField); // never filtered
        QCOMPARE(f.column("ADI"), (QStringList{"ALI", "ZEYNEP", "MEHMET"}));
    }

    void ticksFollowTheirGuestsThroughReruns()
    {
        GuestGrid f;
        QSignalSpy ticks(&f.grid, &FilterGrid::checksChanged);
        f.grid.setCheckBoxes(true);
        QVERIFY(f.grid.verticalHeader()->isVisible());

        const int ahmet = f.rowOfId(1);
        const int zeynep = f.rowOfId(3);
        f.clickIndicator(ahmet);
        QVERIFY(f.grid.isChecked(ahmet));
        QCOMPARE(ticks.count(), 1);
        f.grid.setCurrentIndex(f.grid.model()->index(zeynep, Adi));
        QTest::keyClick(f.grid.viewport(), Qt::Key_Space);
        QVERIFY(f.grid.isChecked(zeynep));
        QCOMPARE(f.grid.checkedRows(), (QList<int>{zeynep, ahmet}));
        QCOMPARE(f.grid.checkedKeys(), (QStringList{"1", "3"}));

        // The filter puts other guests on those row numbers; the ticks stay with the guests.
        f.grid.setFilterText(Adi, "me");
        QCOMPARE(f.column("ADI"), (QStringList{"MEHMET", "AHMET"}));
        QVERIFY(!f.grid.isChecked(0));
        QVERIFY(f.grid.isChecked(1));
        QCOMPARE(f.grid.checkedRows(), QList<int>{1});
        QCOMPARE(f.grid.checkedKeys(), (QStringList{"1", "3"})); // ZEYNEP is only filtered out

        f.grid.clearFilters();
        QCOMPARE(f.grid.checkedRows(), (QList<int>{zeynep, ahmet}));
        f.clickIndicator(ahmet); // a second click unticks
        QCOMPARE(f.grid.checkedRows(), QList<int>{zeynep});
        ticks.clear();
        f.grid.clearChecks();
        QCOMPARE(f.grid.checkedRows(), QList<int>());
        QCOMPARE(ticks.count(), 1);
        f.grid.clearChecks();
        QCOMPARE(ticks.count(), 1);
    }

    void ticksWithoutAKeyFieldAreDroppedWhenTheRowsAreReadAgain()
    {
        GuestGrid f;
        f.grid.setCheckBoxes(true);
        f.grid.setKeyFieldName(QString());
        f.grid.setChecked(2, true);
        QCOMPARE(f.grid.checkedRows(), QList<int>{2});
        f.query.refresh();
        QCOMPARE(f.grid.checkedRows(), QList<int>());
    }

    void checkedRowsIncludeTickedRowsNotLoadedYet()
    {
        GuestGrid f(400);
        f.grid.setCheckBoxes(true);
        const int ahmet = f.rowOfId(1); // reads every row, the oldest guest is the last
        f.grid.setChecked(ahmet, true);
        f.query.close();
        f.query.open();
        QVERIFY(!f.query.isFullyLoaded());
        QVERIFY(f.query.loadedCount() <= ahmet);
        QCOMPARE(f.grid.checkedRows(), QList<int>{ahmet});
    }

    void titleClicksCycleTheMarkAndOrderTheLoadedRows()
    {
        GuestGrid f;
        f.grid.setTitleSort(true);
        QSignalSpy titles(&f.grid, &FilterGrid::titleClicked);
        const QStringList ownOrder{"5", "4", "3", "2", "1"};
        QCOMPARE(f.column("IDMISAFIR"), ownOrder);

        f.clickTitle(Soyadi);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.last().first().toInt(), int(Soyadi));
        QCOMPARE(f.grid.sortMark(Soyadi), SortMark::Ascending);
        QCOMPARE(f.query.sortOrder(), QString("SOYADI:A"));
        QCOMPARE(f.column("SOYADI"), (QStringList{"AKSOY", "BAYRAK", "CAN", "DEMIR", "EROL"}));

        f.clickTitle(Soyadi);
        QCOMPARE(f.grid.sortMark(Soyadi), SortMark::Descending);
        QCOMPARE(f.column("SOYADI"), (QStringList{"EROL", "DEMIR", "CAN", "BAYRAK", "AKSOY"}));

        f.clickTitle(Adi); // another title takes over; the first one loses its mark
        QCOMPARE(f.grid.sortMark(Soyadi), SortMark::None);
        QCOMPARE(f.grid.sortMark(Adi), SortMark::Ascending);
        QCOMPARE(f.query.sortOrder(), QString("ADI:A"));
        QCOMPARE(f.column("ADI"), (QStringList{"AHMET", "ALI", "AYSE", "MEHMET", "ZEYNEP"}));

        // A filter change runs the query again; the rows come in the chosen order.
        f.grid.setFilterText(Adi, "e");
        QCOMPARE(f.column("ADI"), (QStringList{"AHMET", "AYSE", "MEHMET", "ZEYNEP"}));
        f.grid.clearFilters();
        QCOMPARE(f.grid.sortMark(Adi), SortMark::Ascending);

        f.clickTitle(Adi);
        f.clickTitle(Adi);
        QCOMPARE(f.grid.sortMark(Adi), SortMark::None);
        QCOMPARE(f.query.sortOrder(), QString());
        QCOMPARE(f.column("IDMISAFIR"), ownOrder); // the query's own order again

        f.clickTitle(Missing); // a column without a field of the query takes no mark
        QCOMPARE(f.grid.sortMark(Missing), SortMark::None);
        QCOMPARE(f.column("IDMISAFIR"), ownOrder);
    }

    void titleClicksWithoutTitleSortOnlyReportTheColumn()
    {
        GuestGrid f;
        QSignalSpy titles(&f.grid, &FilterGrid::titleClicked);
        f.clickTitle(Soyadi);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(f.grid.sortMark(Soyadi), SortMark::None);
        QCOMPARE(f.query.sortOrder(), QString());
    }

    void enterMovesToTheNextCellLikeTab()
    {
        GuestGrid f;
        f.grid.setFocus();
        f.grid.setCurrentIndex(f.grid.model()->index(0, Adi));
        QTest::keyClick(f.grid.viewport(), Qt::Key_Return);
        QCOMPARE(f.grid.currentIndex(), f.grid.model()->index(0, Soyadi));
        QTest::keyClick(f.grid.viewport(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.grid.currentIndex(), f.grid.model()->index(0, Cilt)); // the hidden id is skipped

        f.grid.setCurrentIndex(f.grid.model()->index(0, Missing));
        QTest::keyClick(f.grid.viewport(), Qt::Key_Return);
        QCOMPARE(f.grid.currentIndex(), f.grid.model()->index(1, Adi)); // on to the next row
        QCOMPARE(f.query.row(), 1);
    }

    void rowColoursLeaveTheCurrentCellAlone()
    {
        GuestGrid f;
        const QColor grey(119, 136, 153);
        const QColor orangeRed(255, 69, 0);
        f.grid.setRowBackground([&](int row) { return row == 1 ? grey : QColor(); });
        f.grid.setRowTextColor([&](int row) { return row == 2 ? orangeRed : QColor(); });
        f.grid.setCurrentIndex(f.grid.model()->index(1, Soyadi));

        const QImage image = f.grid.viewport()->grab().toImage();
        auto cell = [&](int row, int column) { return innerRect(f.grid.visualRect(f.grid.model()->index(row, column))); };
        QCOMPARE(image.pixelColor(cell(1, Adi).topLeft()), grey);
        QCOMPARE(image.pixelColor(cell(1, Cilt).topLeft()), grey);
        QVERIFY(image.pixelColor(cell(1, Soyadi).topLeft()) != grey); // the current cell
        QVERIFY(image.pixelColor(cell(0, Adi).topLeft()) != grey);

        QVERIFY(containsColor(image, cell(2, Adi), orangeRed));
        QVERIFY(!containsColor(image, cell(0, Adi), orangeRed));
        f.grid.setCurrentIndex(f.grid.model()->index(2, Adi));
        const QImage moved = f.grid.viewport()->grab().toImage();
        QVERIFY(!containsColor(moved, cell(2, Adi), orangeRed));
        QVERIFY(containsColor(moved, cell(2, Soyadi), orangeRed));
    }

    // Not a check: with SELVANE_FILTERGRID_LOOK set the grid is shown dressed like the export
    // window for that many seconds, for a screenshot on a real display.
    // A cell that cannot be translated is marked (red frame, the reason as its tool tip) and adds
    // no condition; nothing is reported in a box, and the other cells still filter. Correcting
    // it takes the mark away.
    void untranslatableCellIsMarkedAndLeftOut_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("partial date") << int(Gelis) << "10.12" << "'10.12' geçerli bir tarih değil ('10.12' is not a valid date)";
        QTest::newRow("partial range bound") << int(Gelis) << "01.05.2017-10.12"
                                             << "'10.12' geçerli bir tarih değil ('10.12' is not a valid date)";
        QTest::newRow("date in the second part") << int(Gelis) << ">=01.05.2017&<dün"
                                                 << "'dün' geçerli bir tarih değil ('dün' is not a valid date)";
    }

    void untranslatableCellIsMarkedAndLeftOut()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        GuestGrid f;
        QStringList boxes;
        ErrorSink::setHandler([&boxes](const QString &message) { boxes << message; });
        const auto restore = qScopeGuard([] { ErrorSink::setHandler({}); });

        QTest::keyClicks(f.cell(Adi), "a");
        // Key by key, Turkish letters too (keyClicks takes only Latin-1).
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, f.cell(column), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(f.cell(column), Qt::Key_Return);
        QCOMPARE(boxes, QStringList());
        QCOMPARE(f.titles()->filterCellProblem(column), "Bu süzgeç anlaşılamadı, listeye uygulanmadı: " + reason);
        QCOMPARE(f.cell(column)->toolTip(), f.titles()->filterCellProblem(column));
        QVERIFY(f.cell(column)->styleSheet().contains("border"));
        QCOMPARE(f.titles()->filterCellProblem(Adi), QString());
        QCOMPARE(f.query.macro("filter"), QString("((ADI LIKE '%a%'))"));
        QCOMPARE(f.column("ADI"), (QStringList{"AYSE", "ALI", "AHMET"}));

        f.cell(column)->selectAll();
        QTest::keyClicks(f.cell(column), "01.05.2017");
        QTest::keyClick(f.cell(column), Qt::Key_Return);
        QCOMPARE(f.titles()->filterCellProblem(column), QString());
        QCOMPARE(f.cell(column)->styleSheet(), QString());
        QCOMPARE(f.cell(column)->toolTip(), QString());
        QCOMPARE(f.column("ADI"), QStringList{});
        f.cell(Adi)->clear();
        QTest::keyClick(f.cell(Adi), Qt::Key_Return);
        QCOMPARE(f.column("ADI"), QStringList{"MEHMET"});
        QCOMPARE(boxes, QStringList());
    }

    // Regional numbers in a number cell: "," is the decimal comma, "." groups thousands.
    void numberCellsReadRegionalNumbersOnce()
    {
        GuestGrid f;
        f.grid.setFilterText(Cilt, "1,000");
        QCOMPARE(f.query.macro("filter"), QString("((NUFUSCILT = 1))"));
        QCOMPARE(f.column("ADI"), QStringList{});
        f.grid.setFilterText(Cilt, "<1.000&>=10,0");
        QCOMPARE(f.query.macro("filter"), QString("((NUFUSCILT < 1000) AND (NUFUSCILT >= 10))"));
        QCOMPARE(f.column("ADI"), (QStringList{"AYSE", "ZEYNEP"}));
        QCOMPARE(f.titles()->filterCellProblem(Cilt), QString());
    }

    void showForALook()
    {
        const int seconds = qEnvironmentVariableIntValue("SELVANE_FILTERGRID_LOOK");
        if (seconds <= 0)
            QSKIP("set SELVANE_FILTERGRID_LOOK to look at the grid");
        GuestGrid f;
        f.grid.setTitleHeight(24);
        f.grid.setDefaultRowHeight(18);
        f.grid.setGridColors(QColor(35, 73, 120), Qt::white);
        f.grid.setOddRowColor(QColor(41, 87, 143));
        f.grid.setTitleColors(QColor(35, 73, 120), Qt::yellow);
        f.grid.setCheckBoxes(true);
        f.grid.setTitleSort(true);
        f.grid.setRowTextColor([](int row) { return row == 3 ? QColor(255, 69, 0) : QColor(); });
        f.grid.setRowBackground([](int row) { return row == 4 ? QColor(119, 136, 153) : QColor(); });
        f.grid.setChecked(1, true);
        f.grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        f.grid.gridBaslikSirala(Soyadi);
        f.grid.setFilterText(Gelis, qEnvironmentVariableIsSet("SELVANE_FILTERGRID_MARKED") ? "10.12" : ">=01.01.2016");
        f.grid.setFilterText(Adi, "a|e");
        f.grid.resize(640, 240);
        f.grid.move(20, 20);
        f.grid.setCurrentIndex(f.grid.model()->index(2, Soyadi));
        f.grid.horizontalScrollBar()->setValue(qEnvironmentVariableIntValue("SELVANE_FILTERGRID_SCROLL"));
        QTest::qWait(seconds * 1000);
    }
};

QTEST_MAIN(TestFilterGrid)
#include "tst_filtergrid.moc"
