#include "PrivacyFixture.h"

#include "forms/MessageBoxes.h"
#include "privacy/ErasureBackup.h"
#include "privacy/KeepingPeriod.h"

#include <QtTest>

using namespace privacytest;

namespace {

// Answers every box with `answer` and keeps what was asked.
struct Boxes {
    QList<MessageBoxes::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        asked << request;
        return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }};
    int questions() const
    {
        return int(std::count_if(asked.begin(), asked.end(),
                                 [](const MessageBoxes::Request &r) { return r.buttons.testFlag(QMessageBox::Cancel); }));
    }
};

struct BackupRoutine {
    explicit BackupRoutine(ErasureBackup::Routine routine) { ErasureBackup::setRoutine(std::move(routine)); }
    ~BackupRoutine() { ErasureBackup::setRoutine({}); }
};

// A register with a keeping period of two years and stays on both sides of it.
struct Period {
    Register r;
    QDate today = QDate::currentDate();
    qint64 longAgo = 0;     // left three years ago
    qint64 justOver = 0;    // left two years and a day ago
    qint64 justWithin = 0;  // left exactly two years ago
    qint64 neverLeft = 0;   // arrived five years ago, no departure
    qint64 recent = 0;

    Period()
    {
        r.db().execute("UPDATE AYAR SET SAKLAMASURESI=2");
        longAgo = stay("UZUN", today.addYears(-3).addDays(-7), today.addYears(-3));
        justOver = stay("ASAN", today.addYears(-2).addDays(-3), today.addYears(-2).addDays(-1));
        justWithin = stay("ICINDE", today.addYears(-2).addDays(-3), today.addYears(-2));
        neverLeft = stay("KALAN", today.addYears(-5), QDate());
        recent = stay("YENI", today.addDays(-3), today.addDays(-1));
    }
    qint64 stay(const QString &tag, const QDate &arrival, const QDate &departure)
    {
        return r.addStay(Identity::make(tag, 0), arrival.toString(Qt::ISODate),
                         departure.isValid() ? QVariant(departure.toString(Qt::ISODate)) : QVariant());
    }
    bool erased(qint64 stay) { return r.stored(stay, "ADI").toString() == QString("SİLİNDİ"); }
    int check(const QDate &day) { return KeepingPeriod::checkAtStart(nullptr, r.db(), day); }
};

} // namespace

class TestKeepingPeriod : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void periodIsReadFromTheSettings_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("years");
        QTest::newRow("empty keeps for ever") << QVariant() << 0;
        QTest::newRow("zero keeps for ever") << QVariant(0) << 0;
        QTest::newRow("negative keeps for ever") << QVariant(-3) << 0;
        QTest::newRow("five years") << QVariant(5) << 5;
    }
    void periodIsReadFromTheSettings()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, years);
        Register r;
        QVERIFY(r.db().scalar("SELECT SAKLAMASURESI FROM AYAR").isNull());
        r.db().execute("UPDATE AYAR SET SAKLAMASURESI=:y", {{"y", stored}});
        QCOMPARE(KeepingPeriod::years(r.db()).value_or(0), years);
    }

    // The question names the count and the range of departure days; Cancel erases nothing and
    // the day is not asked again; the next day asks again.
    void cancelledQuestionIsAskedOncePerDay()
    {
        Period p;
        Boxes boxes;
        QCOMPARE(p.check(p.today), 0);
        QCOMPARE(boxes.questions(), 1);
        const MessageBoxes::Request &question = boxes.asked.first();
        QCOMPARE(question.kind, MessageBoxes::Kind::Warning);
        QCOMPARE(question.defaultButton, QMessageBox::Cancel);
        const QLocale locale;
        QVERIFY2(question.text.contains("(2 yıl) dolmuş 2 konaklama"), qPrintable(question.text));
        QVERIFY2(question.text.contains(locale.toString(p.today.addYears(-3), QLocale::ShortFormat) + " ile "
                                        + locale.toString(p.today.addYears(-2).addDays(-1), QLocale::ShortFormat)),
                 qPrintable(question.text));
        QVERIFY(!p.erased(p.longAgo) && !p.erased(p.justOver));

        QCOMPARE(p.check(p.today), 0);
        QCOMPARE(boxes.questions(), 1);
        p.r.restart();
        QCOMPARE(p.check(p.today), 0);
        QCOMPARE(boxes.questions(), 1);
        p.check(p.today.addDays(1));
        QCOMPARE(boxes.questions(), 2);
    }

    // Yes takes the backup first, then erases exactly the stays past the period, by the period.
    void acceptedQuestionBacksUpThenErasesThePastStays()
    {
        Period p;
        Boxes boxes;
        boxes.answer = QMessageBox::Ok;
        QStringList backedUpWhile;
        BackupRoutine backup([&] { backedUpWhile << p.r.stored(p.longAgo, "ADI").toString(); });
        QCOMPARE(p.check(p.today), 2);
        QCOMPARE(backedUpWhile, QStringList{"ADIUZUN"});
        QVERIFY(boxes.asked.first().text.contains("yedeği alınır"));
        QVERIFY(p.erased(p.longAgo) && p.erased(p.justOver));
        QVERIFY(!p.erased(p.justWithin) && !p.erased(p.neverLeft) && !p.erased(p.recent));
        QCOMPARE(p.r.db().scalar("SELECT group_concat(NEDEN,'') FROM SILINENLER").toString(), QString("SS"));
        QVERIFY(boxes.asked.last().text.contains("2 konaklamanın"));
    }

    // A backup that fails stops the erasure.
    void failedBackupErasesNothing()
    {
        Period p;
        Boxes boxes;
        boxes.answer = QMessageBox::Ok;
        BackupRoutine backup([] { throw std::runtime_error("disk dolu"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, p.check(p.today));
        QVERIFY(!p.erased(p.longAgo));
    }

    // Without a period nothing is counted, asked or marked.
    void withoutPeriodNothingIsAsked()
    {
        Period p;
        p.r.db().execute("UPDATE AYAR SET SAKLAMASURESI=NULL");
        Boxes boxes;
        QCOMPARE(p.check(p.today), 0);
        QCOMPARE(boxes.asked.size(), 0);
        QVERIFY(p.r.db().scalar("SELECT SAKLAMAKONTROLTARIH FROM AYAR").isNull());
    }

    // Nothing due: no question, and the settings columns are added once however often it starts.
    void nothingDueAsksNothing()
    {
        Register r;
        r.db().execute("UPDATE AYAR SET SAKLAMASURESI=10");
        r.addStay(Identity::make("A", 0), day(-20), day(-10));
        Boxes boxes;
        QCOMPARE(KeepingPeriod::checkAtStart(nullptr, r.db()), 0);
        QCOMPARE(boxes.asked.size(), 0);
        r.restart();
        QCOMPARE(r.db().scalar("SELECT count(*) FROM pragma_table_info('AYAR') WHERE name LIKE 'SAKLAMA%'").toInt(), 2);
        QCOMPARE(r.db().scalar("SELECT SAKLAMASURESI FROM AYAR").toInt(), 10);
    }
};

QTEST_MAIN(TestKeepingPeriod)
#include "tst_keepingperiod.moc"
