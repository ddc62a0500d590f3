#include "backup/BackupRetention.h"

#include <QtTest>

namespace {

// Every day from `first` to `last`.
QList<QDate> everyDay(const QDate &first, const QDate &last)
{
    QList<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days << day;
    return days;
}

} // namespace

class TestBackupRetention : public QObject {
    Q_OBJECT
private slots:
    void keptAndRemoved_data()
    {
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<QList<QDate>>("removed");

        QTest::newRow("fewer than two weeks: all kept") << everyDay({2026, 12, 1}, {2026, 12, 10}) << QList<QDate>{};
        QTest::newRow("fourteen: all kept") << everyDay({2026, 11, 27}, {2026, 12, 10}) << QList<QDate>{};
        // The 15th copy back is 26 November; the first copy of November (the 20th) stays as the
        // month's copy.
        QTest::newRow("older days of a month go, its first stays")
            << everyDay({2026, 11, 20}, {2026, 12, 10}) << everyDay({2026, 11, 21}, {2026, 11, 26});
        // Starts on irregular days: the first copy of a month need not be on the 1st.
        QTest::newRow("a month's first copy is its oldest")
            << QList<QDate>{{2026, 10, 9}, {2026, 10, 17}, {2026, 10, 30}} + everyDay({2026, 11, 27}, {2026, 12, 10})
            << QList<QDate>{{2026, 10, 17}, {2026, 10, 30}};
        // One copy a month for fourteen months plus this month's days: with this month counted,
        // the three oldest months fall out.
        QList<QDate> monthly;
        for (int i = 0; i < 14; ++i)
            monthly << QDate(2025, 10, 1).addMonths(i);
        QTest::newRow("twelve monthly copies") << monthly + everyDay({2026, 12, 2}, {2026, 12, 10})
                                               << QList<QDate>{{2025, 10, 1}, {2025, 11, 1}, {2025, 12, 1}};
        QTest::newRow("a gap of days is no loss of copies")
            << QList<QDate>{{2026, 1, 5}, {2026, 6, 5}, {2026, 12, 10}} << QList<QDate>{};
        QTest::newRow("nothing") << QList<QDate>{} << QList<QDate>{};
    }
    void keptAndRemoved()
    {
        QFETCH(QList<QDate>, days);
        QFETCH(QList<QDate>, removed);
        std::reverse(days.begin(), days.end()); // the order of the input does not matter
        QList<QDate> actual = BackupRetention::toRemove(days);
        std::sort(actual.begin(), actual.end());
        QCOMPARE(actual, removed);
    }

    // A long daily life settles at 14 daily copies plus the older months' first copies.
    void aYearAndAHalfOfDailyStartsKeepsAtMostTwentySixCopies()
    {
        QList<QDate> kept;
        for (QDate day(2025, 6, 1); day <= QDate(2026, 12, 10); day = day.addDays(1)) {
            kept << day;
            for (const QDate &gone : BackupRetention::toRemove(kept))
                kept.removeAll(gone);
        }
        QCOMPARE(kept.size(), 14 + 11); // December's first copy is among the daily ones
        QVERIFY(kept.contains(QDate(2026, 1, 1)));
        QVERIFY(!kept.contains(QDate(2025, 12, 1)));
    }
};

QTEST_GUILESS_MAIN(TestBackupRetention)
#include "tst_backupretention.moc"
