// The guest's birth date and arrival as the notification file writes them. The common texts are
// recognised without Qt's general date parser; whatever the text, the result must be the one that
// parser gives (read "yyyy-MM-dd" / "HH:mm:ss" and write again, the day of writing for a birth
// date that is no date, nothing for an arrival that is none).
#include "TestSupport.h"

#include "notify/NotificationDates.h"

#include <QDate>
#include <QTime>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString parsedBirthDate(const QString &stored)
{
    const QDate date = QDate::fromString(stored.left(10), u"yyyy-MM-dd"_s);
    return (date.isValid() && stored.size() >= 10 ? date : QDate::currentDate()).toString(u"yyyy-MM-dd"_s);
}

QString parsedArrival(const QString &combined)
{
    if (combined.size() != 19 || combined.at(10) != u' ')
        return {};
    const QDate date = QDate::fromString(combined.left(10), u"yyyy-MM-dd"_s);
    const QTime time = QTime::fromString(combined.mid(11), u"HH:mm:ss"_s);
    if (!date.isValid() || !time.isValid())
        return {};
    return date.toString(u"yyyy-MM-dd"_s) + u' ' + time.toString(u"HH:mm:ss"_s);
}

} // namespace

class TestNotificationDates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void birthDateAsTheParserReadsIt_data()
    {
        QTest::addColumn<QString>("stored");
        for (const char *text : {"1984-02-29", "1985-02-29", "2026-12-11", "1000-01-01", "9999-12-31", "0999-06-15",
                                 "0001-01-01", "0000-01-01", "2026-13-01", "2026-00-10", "2026-12-00", "2026-12-32",
                                 "2026-1-5", "2026-01-5", "1984-02-29T00:00", "1984-02-29 garbage", "1984-02-2",
                                 " 1984-02-29", "+984-02-29", "-984-02-29", "1984/02/29", "29.02.1984", "abc", "",
                                 "19840229", "1984-02-29\n"})
            QTest::newRow(text) << QString::fromUtf8(text);
        QTest::newRow("fullwidth digits") << u"１９８４-０２-２９"_s;
        QTest::newRow("Arabic-Indic digits") << u"١٩٨٤-٠٢-٢٩"_s;
    }

    void birthDateAsTheParserReadsIt()
    {
        QFETCH(QString, stored);
        QCOMPARE(NotificationDates::birthDate(stored), parsedBirthDate(stored));
    }

    void arrivalAsTheParserReadsIt_data()
    {
        QTest::addColumn<QString>("combined");
        for (const char *text : {"2026-12-11 14:30:00", "2026-12-11 00:00:00", "2026-12-11 23:59:59",
                                 "2026-12-11 24:00:00", "2026-12-11 23:60:00", "2026-12-11 23:59:60",
                                 "2024-02-29 10:00:00", "2026-02-29 10:00:00", "1000-01-01 00:00:00",
                                 "0999-01-01 00:00:00", "0000-01-01 00:00:00", "9999-12-31 23:59:59",
                                 "2026-12-11T14:30:00", "2026-12-11 14:30", "2026-12-11 14:30:00.000",
                                 "2026-12-11  4:30:00", "2026-12-11 1a:30:00", "2026-1-11 14:30:00", "", "abc"})
            QTest::newRow(text) << QString::fromUtf8(text);
        QTest::newRow("fullwidth digits") << u"２０２６-１２-１１ １４:３０:００"_s;
    }

    void arrivalAsTheParserReadsIt()
    {
        QFETCH(QString, combined);
        QCOMPARE(NotificationDates::arrival(combined), parsedArrival(combined));
    }
};

QTEST_MAIN(TestNotificationDates)
#include "tst_notificationdates.moc"
