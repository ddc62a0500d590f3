#include "db/RepeatedTextPool.h"

#include <QtTest>

class TestRepeatedTextPool : public QObject {
    Q_OBJECT

private:
    static QString read(RepeatedTextPool &pool, int column, const QByteArray &utf8)
    {
        return pool.text(column, utf8.constData(), int(utf8.size()));
    }

private slots:
    void equalTextsInAColumnShareOneCopy()
    {
        RepeatedTextPool pool;
        const QString first = read(pool, 3, "Muğla");
        const QString second = read(pool, 3, "Muğla");
        QCOMPARE(second, QString("Muğla"));
        QVERIFY(first.constData() == second.constData());
        // The same text in another column is that column's own.
        QVERIFY(read(pool, 4, "Muğla").constData() != first.constData());
    }

    void aChangedCopyLeavesTheOthersAlone()
    {
        RepeatedTextPool pool;
        QString edited = read(pool, 0, "Çınar");
        edited[0] = QChar('X');
        QCOMPARE(read(pool, 0, "Çınar"), QString("Çınar"));
    }

    void mostlyDistinctColumnStopsPoolingAndStillReadsRight()
    {
        RepeatedTextPool pool;
        for (int i = 0; i < 3 * RepeatedTextPool::kSampleSize; ++i)
            QCOMPARE(read(pool, 0, QByteArray::number(i) + " Sokak"), QString::number(i) + " Sokak");
        const QString a = read(pool, 0, "Aynı");
        const QString b = read(pool, 0, "Aynı");
        QCOMPARE(b, QString("Aynı"));
        QVERIFY(a.constData() != b.constData());
        // Another column keeps pooling.
        QVERIFY(read(pool, 1, "E").constData() == read(pool, 1, "E").constData());
    }

    void emptyAndLongTextsAreReadAsTheyAre()
    {
        RepeatedTextPool pool;
        QCOMPARE(read(pool, 0, ""), QString(""));
        const QByteArray address = QByteArray(RepeatedTextPool::kLongestPooled + 1, 'a');
        QCOMPARE(read(pool, 0, address), QString::fromLatin1(address));
        QCOMPARE(read(pool, 0, address), QString::fromLatin1(address));
    }
};

QTEST_GUILESS_MAIN(TestRepeatedTextPool)
#include "tst_repeatedtextpool.moc"
