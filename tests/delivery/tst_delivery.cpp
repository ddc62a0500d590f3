// The delivery of the notification files seen from inside the program: what a run's outcome
// tells a scheduler, the check of a written file, the facilities the main window warns about,
// the history window and the run that reports into a trace.
#include "TestSupport.h"

#include "app/Tmainform.h"
#include "controls/FilterGrid.h"
#include "data/Tdm1.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "delivery/DeliveryGaps.h"
#include "delivery/DeliveryWarningBar.h"
#include "delivery/ExportOutcome.h"
#include "delivery/NotificationFileCheck.h"
#include "delivery/NotificationHistoryWindow.h"
#include "delivery/UnattendedExport.h"
#include "forms/MessageBoxes.h"
#include "forms/TFrameMisafirler.h"
#include "forms/TFrameTesisler.h"
#include "gen/TransientMessage.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

FacilityDelivery facility(const QString &name, bool written, int guests, int leftOut = 0)
{
    FacilityDelivery delivery;
    delivery.facilityName = name;
    delivery.written = written;
    delivery.guestsWritten = guests;
    delivery.path = written ? u"/srv/akbs/20261210_010000T1P20261210_010001.xml"_s : QString();
    delivery.reason = written ? QString() : name + u": POLİS DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s;
    for (int i = 0; i < leftOut; ++i)
        delivery.leftOut << LeftOutGuest{name, u"101"_s, u"Ayşe Öz"_s, u"geliş saati eksik"_s};
    return delivery;
}

QByteArray notificationBytes(const QByteArray &document)
{
    return "<?xml version=\"1.0\" encoding=\"iso-8859-9\" ?>\r\n<?hash "
        + QCryptographicHash::hash(document, QCryptographicHash::Md5).toHex().toUpper() + "?>\r\n" + document;
}

// A fresh register with the data module open, its boxes and messages captured.
struct Register {
    testsupport::ScopedWorkDir dir;
    QStringList boxes;
    QStringList messages;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        boxes << request.text;
        return QMessageBox::Ok;
    }};
    ScopedMesajGosterHook hook{[this](const QString &text, const QString &) { messages << text; }};
    Tdm1 dm;

    Database &db() { return *dm.dbMain(); }
    qint64 addFacility(const QString &name, bool active = true)
    {
        db().execute(u"INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES (5,'P',:a,:e)"_s,
                     {{u"a"_s, name}, {u"e"_s, active ? 1 : 0}});
        return db().lastInsertRowId();
    }
    void addLedgerRow(qint64 facility, const QDate &day, bool written, int leftOut, const QString &file = {},
                      const QString &hash = {})
    {
        db().execute(u"INSERT INTO BILDIRIMLER (TARIH,GUN,_IDTESISLER,SONUC,EKSIKSAYISI,DOSYA,MD5,KAYNAK) "
                     "VALUES (:t,:g,:f,:s,:e,:d,:m,'O')"_s,
                     {{u"t"_s, QDateTime(day, QTime(1, 0))},
                      {u"g"_s, day},
                      {u"f"_s, facility},
                      {u"s"_s, written},
                      {u"e"_s, leftOut},
                      {u"d"_s, file.isEmpty() ? QVariant() : QVariant(file)},
                      {u"m"_s, hash.isEmpty() ? QVariant() : QVariant(hash)}});
    }
};

} // namespace

class TestDelivery : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    // 0 only when every active facility got its file with every present guest; 2 when the run
    // ran but something is missing; 1 when it did not run at all.
    void exitStatusAndSummary_data()
    {
        QTest::addColumn<bool>("ran");
        QTest::addColumn<QList<FacilityDelivery>>("facilities");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("summary");
        QTest::newRow("all written") << true << QList<FacilityDelivery>{facility(u"A"_s, true, 3), facility(u"B"_s, true, 0)}
                                     << 0 << u"Selvane: Özet: 2 etkin tesis, 2 dosya yazıldı, 3 misafir bildirildi, 0 misafir bildirime yazılmadı."_s;
        QTest::newRow("no active facility") << true << QList<FacilityDelivery>{} << 0
                                            << u"Selvane: Özet: 0 etkin tesis, 0 dosya yazıldı, 0 misafir bildirildi, 0 misafir bildirime yazılmadı."_s;
        QTest::newRow("a facility without file") << true << QList<FacilityDelivery>{facility(u"A"_s, true, 3), facility(u"B"_s, false, 0)}
                                                 << 2 << u"Selvane: Özet: 2 etkin tesis, 1 dosya yazıldı, 3 misafir bildirildi, 0 misafir bildirime yazılmadı."_s;
        QTest::newRow("a guest left out") << true << QList<FacilityDelivery>{facility(u"A"_s, true, 3, 1)} << 2
                                          << u"Selvane: Özet: 1 etkin tesis, 1 dosya yazıldı, 3 misafir bildirildi, 1 misafir bildirime yazılmadı."_s;
        // The guests of a file that failed were built but never delivered.
        QTest::newRow("guests of a failed file") << true << QList<FacilityDelivery>{facility(u"A"_s, false, 4, 2)} << 2
                                                 << u"Selvane: Özet: 1 etkin tesis, 0 dosya yazıldı, 0 misafir bildirildi, 2 misafir bildirime yazılmadı."_s;
        QTest::newRow("did not run") << false << QList<FacilityDelivery>{} << 1
                                     << u"Selvane: Özet: bildirim yapılamadı, hiçbir dosya yazılmadı."_s;
    }
    void exitStatusAndSummary()
    {
        QFETCH(bool, ran);
        QFETCH(QList<FacilityDelivery>, facilities);
        QFETCH(int, status);
        QFETCH(QString, summary);
        ExportOutcome outcome;
        outcome.ran = ran;
        outcome.facilities = facilities;
        QCOMPARE(outcome.exitStatus(), status);
        QCOMPARE(outcome.summaryLine(), summary);
        QCOMPARE(outcome.allDelivered(), status == 0);
    }

    // The check reads the file again: gone, content changed after the hash line, a hash line
    // that is not the one the ledger recorded, no hash line, or all in order.
    void fileCheck_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("messageStart");
        const QByteArray document = "<Konaklama TesisKodu=\"5\" Tarih=\"2026-12-10 01:00:00\"/>";
        const QByteArray good = notificationBytes(document);
        const QString goodHash = QString::fromLatin1(QCryptographicHash::hash(document, QCryptographicHash::Md5).toHex().toUpper());
        QTest::newRow("intact") << good << goodHash << int(NotificationFileCheck::State::Intact)
                                << u"Dosya yerinde, karma satırı içerikle uyuşuyor."_s;
        QTest::newRow("one letter changed") << QByteArray(good).replace("TesisKodu=\"5\"", "TesisKodu=\"6\"") << goodHash
                                            << int(NotificationFileCheck::State::ContentChanged)
                                            << u"Dosya yerinde, ancak içeriği değişmiş"_s;
        QTest::newRow("line break added at the end") << good + "\r\n" << goodHash
                                                     << int(NotificationFileCheck::State::ContentChanged)
                                                     << u"Dosya yerinde, ancak içeriği değişmiş"_s;
        QTest::newRow("another file in its place") << notificationBytes("<Konaklama/>") << goodHash
                                                   << int(NotificationFileCheck::State::DiffersFromLedger)
                                                   << u"Dosya yerinde ve karma satırı içerikle uyuşuyor, ancak"_s;
        QTest::newRow("no hash line") << QByteArray("<?xml ?>\r\n" + document) << goodHash
                                      << int(NotificationFileCheck::State::NoHashLine) << u"Dosyada karma satırı yok"_s;
        QTest::newRow("gone") << QByteArray() << goodHash << int(NotificationFileCheck::State::Missing)
                              << u"Dosya yerinde yok"_s;
    }
    void fileCheck()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, recorded);
        QFETCH(int, state);
        QFETCH(QString, messageStart);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"20261210_010000T5P20261210_010001.xml"_s);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const NotificationFileCheck::Result result = NotificationFileCheck::verify(path, recorded);
        QCOMPARE(int(result.state), state);
        QVERIFY2(result.message.startsWith(messageStart), qPrintable(result.message));
    }

    // The main window warns about an active facility with no file written for yesterday, or
    // whose last run failed or left a guest out; inactive facilities never.
    void facilitiesNeedingTheOperator_data()
    {
        QTest::addColumn<QList<int>>("rows"); // per row: days back, written, left out
        QTest::addColumn<QString>("problem"); // empty: no warning
        const QDate today = QDate::currentDate();
        Q_UNUSED(today);
        QTest::newRow("nothing ever written") << QList<int>{} << u"dün için dosya yok"_s;
        QTest::newRow("yesterday written") << QList<int>{1, 1, 0} << QString();
        QTest::newRow("yesterday and today written") << QList<int>{1, 1, 0, 0, 1, 0} << QString();
        QTest::newRow("only the day before") << QList<int>{2, 1, 0} << u"dün için dosya yok"_s;
        QTest::newRow("yesterday failed") << QList<int>{1, 0, 0} << u"dün için dosya yok, son bildirimde dosya yazılamadı"_s;
        QTest::newRow("failed today after yesterday's file") << QList<int>{1, 1, 0, 0, 0, 0}
                                                             << u"son bildirimde dosya yazılamadı"_s;
        QTest::newRow("a guest left out yesterday") << QList<int>{1, 1, 2} << u"son bildirimde 2 misafir yazılmadı"_s;
        QTest::newRow("left out, then all written") << QList<int>{1, 1, 2, 0, 1, 0} << QString();
    }
    void facilitiesNeedingTheOperator()
    {
        QFETCH(QList<int>, rows);
        QFETCH(QString, problem);
        Register r;
        const qint64 watched = r.addFacility(u"Güneş Pansiyon"_s);
        const qint64 closed = r.addFacility(u"Kapalı Otel"_s, false);
        Q_UNUSED(closed);
        const QDate today = QDate::currentDate();
        for (int i = 0; i + 2 < rows.size(); i += 3)
            r.addLedgerRow(watched, today.addDays(-rows[i]), rows[i + 1] != 0, rows[i + 2]);
        const QList<DeliveryGaps::Gap> gaps = DeliveryGaps::find(r.db(), today);
        if (problem.isEmpty()) {
            QCOMPARE(gaps.size(), 0);
            return;
        }
        QCOMPARE(gaps.size(), 1);
        QCOMPARE(gaps[0].facilityId, watched);
        QCOMPARE(DeliveryGaps::describe(gaps), u"Bildirimi eksik tesisler: Güneş Pansiyon (%1)"_s.arg(problem));
    }

    void manyFacilitiesAreCountedNotListed()
    {
        QList<DeliveryGaps::Gap> gaps;
        for (int i = 1; i <= 7; ++i)
            gaps << DeliveryGaps::Gap{i, u"Ev %1"_s.arg(i), u"dün için dosya yok"_s};
        QCOMPARE(DeliveryGaps::describe(gaps),
                 u"Bildirimi eksik tesisler: Ev 1 (dün için dosya yok), Ev 2 (dün için dosya yok), Ev 3 (dün için "
                 "dosya yok), Ev 4 (dün için dosya yok), Ev 5 (dün için dosya yok) ve 2 tesis daha"_s);
    }

    // The bar shows above the tabs while a facility needs the operator, names it, and its two
    // buttons lead to the export window and to the history; it goes once yesterday's file is
    // recorded.
    void mainWindowBarComesAndGoesWithTheLedger()
    {
        Register r;
        auto *guests = new TFrameMisafirler(&r.dm);
        auto *facilities = new TFrameTesisler(&r.dm);
        Tmainform main(&r.dm, guests, facilities);
        const qint64 facility = r.addFacility(u"Güneş Pansiyon"_s);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        DeliveryWarningBar *bar = main.deliveryBar();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->y() + bar->height() <= main.pgc1()->mapTo(&main, QPoint()).y());
        QCOMPARE(bar->message()->text(), u"Bildirimi eksik tesisler: Güneş Pansiyon (dün için dosya yok)"_s);
        QCOMPARE(bar->exportButton()->text(), u"XML Kaydet"_s);
        QCOMPARE(bar->detailsButton()->text(), u"Ayrıntılar"_s);

        // "Ayrıntılar" opens the history window.
        bool historyShown = false;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            historyShown = modal && modal == main.historyWindow();
            if (modal)
                modal->close();
        });
        QTest::mouseClick(bar->detailsButton(), Qt::LeftButton);
        QVERIFY(historyShown);

        // The menu offers the history under "Dosya".
        QStringList fileMenu;
        for (QAction *action : main.menuBar()->actions().first()->menu()->actions())
            fileMenu << action->text();
        QVERIFY2(fileMenu.contains(u"Bildirim Geçmişi"_s), qPrintable(fileMenu.join(u", "_s)));

        r.addLedgerRow(facility, QDate::currentDate().addDays(-1), true, 0);
        bar->refresh();
        QVERIFY(!bar->isVisible());
    }

    // The history lists the ledger newest first; "Dosyayı doğrula" checks the file of the row
    // the operator is on: the newest intact, and after an edit of it, changed.
    void historyVerifiesTheChosenRowsFile()
    {
        Register r;
        const qint64 facility = r.addFacility(u"Güneş Pansiyon"_s);
        const QByteArray document = "<Konaklama TesisKodu=\"5\"/>";
        const QString hash = QString::fromLatin1(QCryptographicHash::hash(document, QCryptographicHash::Md5).toHex().toUpper());
        const QString path = r.dir.filePath(u"20261210_010000T5P20261210_010001.xml"_s);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(notificationBytes(document));
        }
        r.addLedgerRow(facility, QDate::currentDate().addDays(-2), false, 0);
        r.addLedgerRow(facility, QDate::currentDate().addDays(-1), true, 0, path, hash);

        NotificationHistoryWindow window(&r.db());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Query &history = *window.history();
        QCOMPARE(history.fieldByName(u"DOSYA"_s).asString(), path); // the newest row is current
        QCOMPARE(history.fieldByName(u"YAZILDI"_s).asString(), u"Evet"_s);
        QCOMPARE(history.fieldByName(u"KAYNAKADI"_s).asString(), u"Zamanlanmış"_s);
        QTest::mouseClick(window.verifyButton(), Qt::LeftButton);
        QCOMPARE(r.boxes.size(), 1);
        QVERIFY2(r.boxes.last().startsWith(u"Dosya yerinde, karma satırı içerikle uyuşuyor."_s), qPrintable(r.boxes.last()));

        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(file.size() - 3);
            file.write("X");
        }
        QTest::mouseClick(window.verifyButton(), Qt::LeftButton);
        QVERIFY2(r.boxes.last().startsWith(u"Dosya yerinde, ancak içeriği değişmiş"_s), qPrintable(r.boxes.last()));

        // The older row, reached with the keys, had no file.
        window.grid()->setFocus();
        QTest::keyClick(window.grid(), Qt::Key_Down);
        QCOMPARE(history.fieldByName(u"YAZILDI"_s).asString(), u"Hayır"_s);
        QTest::mouseClick(window.verifyButton(), Qt::LeftButton);
        QCOMPARE(r.boxes.last(), u"Bu bildirimde dosya yazılmamıştı."_s);

        // The filter bar narrows the ledger: only the runs that wrote a file of that name.
        const int column = window.grid()->model()->columnOfField(u"DOSYA"_s);
        window.grid()->setFilterText(column, u"T5P"_s);
        history.fetchAll();
        QVERIFY2(history.loadedCount() == 1, qPrintable(history.expandedSql()));
    }

    // The run a scheduler starts reports every message of the run into its trace (and not
    // twice onto standard error), ends with the summary line and returns the exit status; the
    // ledger's rows carry the source.
    void runReportsIntoItsTrace_data()
    {
        QTest::addColumn<QChar>("source");
        QTest::newRow("on its own") << QChar(u'O');
        QTest::newRow("handed to the open window") << QChar(u'D');
    }
    void runReportsIntoItsTrace()
    {
        QFETCH(QChar, source);
        Register r;
        QTemporaryDir police;
        r.db().execute(u"UPDATE AYAR SET AKBXMLDIZIN=:p WHERE IDAYAR=1"_s, {{u"p"_s, police.path()}});
        r.addFacility(u"Güneş Pansiyon"_s);
        r.db().execute(u"INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI) VALUES (7,'J','Dağ Evi')"_s);
        setMesajGosterStderrTrace(true);
        QStringList trace;
        const int status = runUnattendedExport(source, [&](const QString &line) { trace << line; });
        setMesajGosterStderrTrace(false);
        QCOMPARE(status, 2);
        QCOMPARE(trace, (QStringList{u"Selvane: [error] Dağ Evi: JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s,
                                     u"Selvane: Özet: 2 etkin tesis, 1 dosya yazıldı, 0 misafir bildirildi, "
                                     "0 misafir bildirime yazılmadı."_s}));
        // The window's messages still showed (here: reached the hook).
        QCOMPARE(r.messages, QStringList{u"Dağ Evi: JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."_s});
        QCOMPARE(r.db().scalar(u"SELECT group_concat(KAYNAK || SONUC, ' ') FROM BILDIRIMLER"_s).toString(),
                 u"%1%2 %1%3"_s.arg(source).arg(1).arg(0));

        // Settings that stop the run: status 1, the reason, then the summary.
        r.db().execute(u"UPDATE AYAR SET AKBXMLDIZIN=NULL WHERE IDAYAR=1"_s);
        trace.clear();
        QCOMPARE(runUnattendedExport(source, [&](const QString &line) { trace << line; }), 1);
        QCOMPARE(trace, (QStringList{u"Selvane: Ayar girişi eksik."_s,
                                     u"Selvane: Özet: bildirim yapılamadı, hiçbir dosya yazılmadı."_s}));
    }
};

QTEST_MAIN(TestDelivery)
#include "tst_delivery.moc"
