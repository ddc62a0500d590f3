#include "GuestGridSession.h"

#include "PeakMemory.h"
#include "SqliteShell.h"
#include "WorkClock.h"

#include "controls/FilterGrid.h"
#include "data/Tdm1.h"
#include "db/Query.h"
#include "db/QueryTableModel.h"
#include "forms/TFrameMisafirler.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

namespace {

// Lets the grid paint what it shows, which is when the rows on the screen are read.
void showScreen(FilterGrid *grid)
{
    QApplication::processEvents();
    grid->viewport()->repaint();
    QApplication::processEvents();
}

template<typename Work>
void step(const char *what, FilterGrid *grid, Work work)
{
    const WorkClock clock;
    work();
    showScreen(grid);
    const Measurement taken = clock.stop();
    Query *query = grid->query();
    std::printf("%-38s %7.3f s  cpu %6.3f s  peak %6lld MB  rows known %7d  current %7d\n", what, taken.seconds,
                taken.cpuSeconds, PeakMemory::residentKb() / 1024, query->loadedCount(), query->row());
    std::fflush(stdout);
}

} // namespace

void GuestGridSession::run() const
{
    if (!QDir::setCurrent(m_folder))
        throw std::runtime_error("cannot enter the register's folder");
    std::printf("Guest list on %s/qrt.db\n", qPrintable(m_folder));
    runGrid();
    compareWithShell(); // the program holds the register exclusively while it is open
}

void GuestGridSession::runGrid() const
{
    Tdm1 dm;
    TFrameMisafirler frame(&dm);
    frame.resize(1280, 800);
    frame.show();
    QApplication::processEvents();
    std::printf("%-38s %7s    %6s      peak %6lld MB\n", "register open, window shown", "", "",
                PeakMemory::residentKb() / 1024);
    FilterGrid *grid = frame.smdbgrd_misafir();
    step("show (Konaklayanlar)", grid, [&] { frame.doshow(); });
    step("\"Tümü\" first screen", grid, [&] { frame.tumuButton()->click(); });
    const int surname = grid->model()->columnOfField(QStringLiteral("SOYADI"));
    QHeaderView *titles = grid->horizontalHeader();
    step("title click on SOYADI", grid, [&] {
        grid->scrollTo(grid->model()->index(0, surname));
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(surname) + 5, titles->height() - 4));
    });
    step("Ctrl+End (last stay)", grid, [&] { QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); });
    step("Ctrl+Home", grid, [&] { QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier); });
    step("a stay far down edited and saved", grid, [&] {
        Query *query = grid->query();
        query->moveTo(query->loadedCount() / 2);
        query->edit();
        query->fieldByName(QStringLiteral("NOTLAR")).setValue(QStringLiteral("not"));
        query->post();
    });
    step("title click again (descending)", grid, [&] {
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(surname) + 5, titles->height() - 4));
    });
    frame.dohide();
}

void GuestGridSession::compareWithShell() const
{
    const QString from = QStringLiteral(
        "FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
        "TESISLER.IDTESISLER=ODAEV._IDTESISLER WHERE (1) AND (1) GROUP BY IDMISAFIR HAVING (1) ");
    const QString listOrder = QStringLiteral("ORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC");
    const struct {
        const char *what;
        QString sql;
    } works[] = {
        {"shell: list statement, first 50", QStringLiteral("SELECT * %1%2 LIMIT 50").arg(from, listOrder)},
        {"shell: by key, first 50", QStringLiteral("SELECT * %1ORDER BY IDMISAFIR DESC LIMIT 50").arg(from)},
        {"shell: every row of the list", QStringLiteral("SELECT * %1%2").arg(from, listOrder)},
        {"shell: SOYADI sorted, first 50",
         QStringLiteral("SELECT * %1ORDER BY SOYADI COLLATE NOCASE,IDMISAFIR DESC LIMIT 50").arg(from)},
        {"shell: SOYADI sorted keys, all",
         QStringLiteral("SELECT MISAFIR.IDMISAFIR %1ORDER BY SOYADI COLLATE NOCASE,IDMISAFIR DESC").arg(from)},
    };
    const SqliteShell shell;
    for (const auto &work : works) {
        const Measurement taken = shell.run(m_folder, SqliteShell::connectionSettings() + work.sql + QStringLiteral(";\n"));
        std::printf("%-38s %7.3f s  cpu %6.3f s  peak %6lld MB\n", work.what, taken.seconds, taken.cpuSeconds,
                    taken.peakKb / 1024);
    }
}
