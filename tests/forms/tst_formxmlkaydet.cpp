#include "controls/FilterGrid.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormAyar.h"
#include "forms/TFormXmlKaydet.h"
#include "delivery/ExportOutcome.h"
#include "gen/TransientMessage.h"

#include "TestSupport.h"

#include <QAction>
#include <QDateTimeEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString kConfirmation =
    QStringLiteral("Tesis kimlikler dosyası ilgili xml klasörüne kaydedilecektir. Devam etmek istiyormusunuz?");
const QColor kOrangeRed(255, 69, 0);

QString day(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
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

// The export window on a fresh database, with the boxes, transient messages and reported errors
// it would show captured instead.
struct ExportWindow {
    testsupport::ScopedWorkDir dir;
    QStringList errors;
    QStringList transientMessages;
    QList<MessageBoxes::Request> boxes;
    // Everything the window showed, in order: "ayarlar", "onay", "bilgi", "hata".
    QStringList shown;
    QMessageBox::StandardButton confirmAnswer = QMessageBox::Cancel;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        boxes << request;
        const bool question = request.buttons.testFlag(QMessageBox::Cancel);
        shown << (question ? "onay" : request.kind == MessageBoxes::Kind::Error ? "hata" : "bilgi");
        return question ? confirmAnswer : QMessageBox::Ok;
    }};
    ScopedMesajGosterHook messages{[this](const QString &text, const QString &) { transientMessages << text; }};
    Tdm1 module;
    TFormAyar settings{module.dbMain(), module.il_db()};
    TFormXmlKaydet form{module.dbMain(), module.il_db(), module.FDT(), &settings};

    ExportWindow()
    {
        ErrorSink::setHandler([this](const QString &message) { errors << message; });
    }
    ~ExportWindow() { ErrorSink::setHandler({}); }

    Database &db() { return *module.dbMain(); }

    qint64 addFacility(const QString &name, int code, const QString &region = "P", bool active = true)
    {
        db().execute("INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES (:k,:b,:a,:e)",
                     {{"k", code}, {"b", region}, {"a", name}, {"e", active ? 1 : 0}});
        return db().lastInsertRowId();
    }
    qint64 addRoom(qint64 facility, const QString &number)
    {
        db().execute("INSERT INTO ODAEV (_IDTESISLER,ODAEVNO) VALUES (:t,:n)", {{"t", facility}, {"n", number}});
        return db().lastInsertRowId();
    }
    // A Turkish citizen with every identity field the validator asks for; `changes` overrides
    // columns (a null value stores NULL).
    qint64 addGuest(qint64 room, const QString &name, const QDate &arrival, const QDate &departure = {},
                    const QVariantMap &changes = {})
    {
        QVariantMap columns{{"_IDODAEV", room},          {"KIMLIKTURU", "N"},         {"KIMLIKSERINO", "A12B34567"},
                            {"UYRUGU", "TC"},            {"TCNO", qint64(10000000146)}, {"ADI", name},
                            {"SOYADI", "Kaya"},          {"BABAADI", "Mehmet"},       {"ANAADI", "Fatma"},
                            {"CINSIYET", "E"},           {"MEDENIDURUM", "B"},        {"DOGUMYERI", "Ankara"},
                            {"DOGUMTARIHI", "1980-04-12"}, {"IKAMETADRESI", "Çankaya"}, {"GELISTARIH", day(arrival)},
                            {"GELISSAAT", "14:30:00.000"}};
        if (departure.isValid()) {
            columns.insert("AYRILISTARIH", day(departure));
            columns.insert("AYRILISSAAT", "11:00:00.000");
        }
        for (auto change = changes.cbegin(); change != changes.cend(); ++change)
            columns.insert(change.key(), change.value());
        QStringList names = columns.keys();
        QStringList params;
        for (const QString &column : names)
            params << ":" + column;
        db().execute(QString("INSERT INTO MISAFIR (%1) VALUES (%2)").arg(names.join(','), params.join(',')), columns);
        return db().lastInsertRowId();
    }
    void setFolders(const QVariant &police, const QVariant &gendarmerie)
    {
        db().execute("UPDATE AYAR SET AKBXMLDIZIN=:p, JKBXMLDIZIN=:j WHERE IDAYAR=1", {{"p", police}, {"j", gendarmerie}});
    }

    Query &list() { return *form.fdqry_misafirler(); }
    FilterGrid &grid() { return *form.smdbgrd_misafir(); }
    int gridColumn(const QString &field) { return grid().model()->columnOfField(field); }
    // The first names of the listed guests, in the list's order.
    QStringList listedNames()
    {
        QStringList names;
        if (!list().isOpen())
            return names;
        list().fetchAll();
        const int column = list().columnOf("ADI");
        for (int row = 0; row < list().loadedCount(); ++row)
            names << list().rawValue(row, column).toString();
        return names;
    }
    void clickSave() { QTest::mouseClick(form.findChild<QPushButton *>("btn_kaydet"), Qt::LeftButton); }
    // Closes the settings window as soon as it is shown, noting that it was.
    void answerSettingsWindowWith(const QVariant &police = {})
    {
        QTimer::singleShot(0, &settings, [this, police] {
            if (!settings.isVisible())
                return;
            shown << "ayarlar";
            if (police.isValid()) {
                settings.fdqry_ayar()->edit();
                settings.fdqry_ayar()->fieldByName("AKBXMLDIZIN").setValue(police);
                settings.dbnvgrPostClick();
            }
            settings.close();
        });
    }
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestFormXmlKaydet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void windowHasItsCaptionsAndShowsTheStoredFolders()
    {
        ExportWindow w;
        w.setFolders("/srv/akbs", QVariant());
        w.form.show();
        QCOMPARE(w.form.windowTitle(), QString("Xml Kaydet"));
        QVERIFY(w.form.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.form.headerPanel()->LabelCap()->text(), QString("XML DOSYASI KAYDET"));
        QCOMPARE(w.form.headerPanel()->ImageIndex(), 122);
        QVERIFY(w.form.findChild<QLabel *>("pnl_tarihbaslik"));
        QCOMPARE(w.form.findChild<QLabel *>("pnl_tarihbaslik")->text(), QString("DURUM GÜNÜNÜN TARİHİ"));
        QCOMPARE(w.form.dtp_tarih()->displayFormat(), QLocale().dateFormat(QLocale::LongFormat));
        QCOMPARE(w.form.act_kaydet()->text(), QString("Dosyaları Kaydet"));
        QCOMPARE(w.form.actkapat()->text(), QString("Kapat"));
        QCOMPARE(w.form.btn1()->text(), QString("Aç"));
        QCOMPARE(w.form.btn2()->text(), QString("Aç"));
        QStringList captions;
        for (QLabel *label : w.form.findChildren<QLabel *>())
            captions << label->text();
        QVERIFY(captions.contains("Polis Dosya Dizini"));
        QVERIFY(captions.contains("Jnd Dosya Dizini"));

        QCOMPARE(w.form.lbledtpolisdizini()->text(), QString("/srv/akbs"));
        QCOMPARE(w.form.lbledtjnddizini()->text(), QString()); // NULL shows as empty
        QVERIFY(w.form.lbledtpolisdizini()->isReadOnly());
        QVERIFY(w.grid().isReadOnly());
        QVERIFY(w.list().isReadOnly());
        // The columns of the field set "MISAFIR", the time columns as times of day.
        QVERIFY(w.gridColumn("ADI") >= 0);
        QCOMPARE(w.grid().model()->headerData(w.gridColumn("ADI"), Qt::Horizontal).toString(), QString("ADI"));
        QCOMPARE(w.list().fieldByName("GELISSAAT").type(), FieldType::Time);
        QVERIFY(w.errors.isEmpty());
    }

    // One guest per case of the day condition, ordered by facility name, room number and then
    // the newest record first; a guest of an inactive facility is never listed.
    void listShowsTheDaysGuestsOfActiveFacilitiesInOrder()
    {
        ExportWindow w;
        const QDate today = QDate::currentDate();
        const qint64 zeytin = w.addRoom(w.addFacility("Zeytin Pansiyon", 20), "1");
        const qint64 arma101 = w.addRoom(w.addFacility("Armağan Otel", 10), "101");
        const qint64 arma102 = w.addRoom(w.addFacility("Armağan Otel", 10), "102");
        const qint64 closed = w.addRoom(w.addFacility("Kapalı Otel", 30, "P", false), "1");
        w.addGuest(zeytin, "Kalan", today.addDays(-3));                        // no departure yet
        w.addGuest(arma102, "Yarin Gidecek", today.addDays(-1), today.addDays(1));
        w.addGuest(arma101, "Bugun Giden", today.addDays(-2), today);          // leaves today: not present
        w.addGuest(arma101, "Gunubirlik", today, today);                        // arrives and leaves today
        w.addGuest(arma101, "Yarin Gelecek", today.addDays(1));
        w.addGuest(arma101, "Dun Gitti", today.addDays(-4), today.addDays(-1));
        w.addGuest(arma101, "Yeni Gelen", today);
        w.addGuest(closed, "Kapali Tesiste", today.addDays(-1));

        w.form.show();
        QVERIFY(w.list().isOpen());
        QCOMPARE(w.listedNames(), (QStringList{"Yeni Gelen", "Gunubirlik", "Yarin Gidecek", "Kalan"}));
        QVERIFY(w.errors.isEmpty());
    }

    // Closing hides the same window; showing it again does not repeat the one-time preparation,
    // and starts again from the current day with the time of this showing.
    void firstShowRunsOnceAndEachShowingStartsFromNow()
    {
        ExportWindow w;
        QVERIFY(!w.form.DoneFirst());
        const QDateTime before = QDateTime::currentDateTime();
        w.form.show();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(w.form.DoneFirst());
        QVERIFY(w.form.Mainfieldset().get(0, TFozellik::alanadi).size() > 0);
        QCOMPARE(w.form.dtp_tarih()->date(), QDate::currentDate());
        QVERIFY(w.form.secilenAn() >= before.addMSecs(-before.time().msec()));
        QVERIFY(w.form.secilenAn() <= after);

        // Settings made after the preparation show whether it runs again.
        w.list().fieldByName("ADI").setDisplayLabel("İLK GÖSTERİM");
        const int columns = w.grid().model()->columnCount();
        w.form.dtp_tarih()->setDate(QDate::currentDate().addDays(-5));

        QPointer<TFormXmlKaydet> same(&w.form);
        QTest::mouseClick(w.form.findChild<QPushButton *>("btn_kapat"), Qt::LeftButton);
        QVERIFY(same);
        QVERIFY(!w.form.isVisible());
        QVERIFY(!w.list().isOpen());

        QTest::qWait(1100); // so that the second showing has a later time of day
        w.form.show();
        QCOMPARE(w.list().fieldByName("ADI").displayLabel(), QString("İLK GÖSTERİM"));
        QCOMPARE(w.grid().model()->columnCount(), columns);
        QCOMPARE(w.form.dtp_tarih()->date(), QDate::currentDate());
        QVERIFY(w.form.secilenAn() > after);
        QVERIFY(w.list().isOpen());
        QVERIFY(w.errors.isEmpty());
    }

    void changingTheDayRequeriesAtOnceAndKeepsTheFilter()
    {
        ExportWindow w;
        const QDate today = QDate::currentDate();
        const QDate earlier = today.addDays(-10);
        const qint64 room = w.addRoom(w.addFacility("Deniz Otel", 5), "7");
        w.addGuest(room, "Ayşe", today);
        w.addGuest(room, "Ali", today);
        w.addGuest(room, "Aynur", earlier, earlier.addDays(2));
        w.addGuest(room, "Bora", earlier, earlier.addDays(2));
        w.form.show();
        QCOMPARE(w.listedNames(), (QStringList{"Ali", "Ayşe"}));

        w.grid().setFilterText(w.gridColumn("ADI"), "Ay");
        QCOMPARE(w.listedNames(), QStringList{"Ayşe"});

        w.form.dtp_tarih()->setDate(earlier);
        QCOMPARE(w.listedNames(), QStringList{"Aynur"});
        QCOMPARE(w.grid().filterText(w.gridColumn("ADI")), QString("Ay"));
        QCOMPARE(w.list().param("tarih").toDate(), earlier);

        w.grid().clearFilters();
        QCOMPARE(w.listedNames(), (QStringList{"Bora", "Aynur"}));
        QCOMPARE(w.list().macro("filter"), QString("1"));
        QVERIFY(w.errors.isEmpty());
    }

    // The settings window comes first only when neither folder is set; the confirmation always
    // follows it, with Cancel as its default button.
    void settingsWindowBeforeTheConfirmationOnlyWithoutFolders_data()
    {
        QTest::addColumn<QVariant>("police");
        QTest::addColumn<QVariant>("gendarmerie");
        QTest::addColumn<QStringList>("expected");
        const QStringList withSettings{"ayarlar", "onay"};
        const QStringList withoutSettings{"onay"};
        QTest::newRow("both NULL") << QVariant() << QVariant() << withSettings;
        QTest::newRow("both empty") << QVariant("") << QVariant("") << withSettings;
        QTest::newRow("police set") << QVariant("/srv/akbs") << QVariant() << withoutSettings;
        QTest::newRow("gendarmerie set") << QVariant("") << QVariant("/srv/jkbs") << withoutSettings;
        QTest::newRow("a blank counts as set") << QVariant(" ") << QVariant() << withoutSettings;
    }
    void settingsWindowBeforeTheConfirmationOnlyWithoutFolders()
    {
        QFETCH(QVariant, police);
        QFETCH(QVariant, gendarmerie);
        QFETCH(QStringList, expected);
        ExportWindow w;
        w.setFolders(police, gendarmerie);
        bool exported = false;
        w.form.setExporter([&](const QDateTime &) {
            exported = true;
            return ExportOutcome();
        });
        w.form.show();
        w.answerSettingsWindowWith();
        w.clickSave();
        QCoreApplication::processEvents();
        QCOMPARE(w.shown, expected);
        const MessageBoxes::Request &question = w.boxes.last();
        QCOMPARE(question.text, kConfirmation);
        QCOMPARE(question.kind, MessageBoxes::Kind::Warning);
        QCOMPARE(question.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(question.defaultButton, QMessageBox::Cancel);
        QVERIFY(!exported);
    }

    // A folder chosen in the settings window is shown in the export window at once.
    void foldersChosenInTheSettingsWindowAreShown()
    {
        ExportWindow w;
        w.form.show();
        w.answerSettingsWindowWith(w.dir.path());
        w.clickSave();
        QCOMPARE(w.shown, (QStringList{"ayarlar", "onay"}));
        QCOMPARE(w.form.lbledtpolisdizini()->text(), w.dir.path());
    }

    void cancellingTheConfirmationWritesNothing()
    {
        ExportWindow w;
        QTemporaryDir police;
        QTemporaryDir gendarmerie;
        w.setFolders(police.path(), gendarmerie.path());
        w.addGuest(w.addRoom(w.addFacility("Deniz Otel", 5, "P"), "7"), "Ayşe", QDate::currentDate());
        w.addFacility("Dağ Evi", 6, "J");
        w.confirmAnswer = QMessageBox::Cancel;
        w.form.show();
        w.clickSave();
        QCOMPARE(w.shown, QStringList{"onay"});
        QVERIFY(filesIn(police.path()).isEmpty());
        QVERIFY(filesIn(gendarmerie.path()).isEmpty());
        QVERIFY(w.transientMessages.isEmpty());
    }

    // The export runs for the chosen day with the time of day of the showing; a facility it
    // has to skip is reported during the run, and the closing box is a warning that names what
    // is missing.
    void confirmedExportWritesTheChosenDayAndReportsDone()
    {
        ExportWindow w;
        QTemporaryDir police;
        w.setFolders(police.path(), QVariant());
        const QDate chosen = QDate::currentDate().addDays(-3);
        const qint64 room = w.addRoom(w.addFacility("Deniz Otel", 1234, "P"), "7");
        w.addGuest(room, "Ayşe", chosen);
        w.addGuest(room, "Bugun Gelen", QDate::currentDate());
        w.addFacility("Dağ Evi", 6, "J");
        w.confirmAnswer = QMessageBox::Ok;

        const QDateTime before = QDateTime::currentDateTime();
        w.form.show();
        const QDateTime after = QDateTime::currentDateTime();
        w.form.dtp_tarih()->setDate(chosen);
        QCOMPARE(w.listedNames(), QStringList{"Ayşe"});
        w.clickSave();

        QCOMPARE(w.shown, (QStringList{"onay", "bilgi"}));
        QCOMPARE(w.boxes.last().kind, MessageBoxes::Kind::Warning);
        QCOMPARE(w.transientMessages, QStringList{"Dağ Evi: JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ."});

        const QStringList files = filesIn(police.path());
        QCOMPARE(files.size(), 1);
        QCOMPARE(w.boxes.last().text,
                 QString("Bildirim eksik kaldı: bazı tesislerin dosyası yazılmadı ya da misafirleri eksik.\n\n"
                         "Deniz Otel: %1, 1 misafir.\n"
                         "Dağ Evi: JANDARMA DİZİNİ YOK VEYA EKSİK! İŞLENMEDİ.\n\n"
                         "Özet: 2 etkin tesis, 1 dosya yazıldı, 1 misafir bildirildi, 0 misafir bildirime yazılmadı.")
                     .arg(files[0]));
        // The window's run is in the ledger as the export window's.
        QCOMPARE(w.db().scalar("SELECT group_concat(SONUC || KAYNAK || KISISAYISI, ' ') FROM BILDIRIMLER").toString(),
                 QString("1P1 0P0"));
        // The first stamp of the name is the export's moment: the chosen day, the showing's time.
        const QDateTime moment = QDateTime::fromString(files[0].left(15), "yyyyMMdd_HHmmss");
        QCOMPARE(moment.date(), chosen);
        const QDateTime atToday(before.date(), moment.time());
        QVERIFY2(atToday >= before.addMSecs(-before.time().msec()) && atToday <= after,
                 qPrintable(files[0]));
        QVERIFY(files[0].mid(15).startsWith("T1234P"));
        QFile file(police.filePath(files[0]));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.contains("Ay\xFE" "e")); // ISO-8859-9
        QVERIFY(!content.contains("Bugun Gelen"));
        QVERIFY(w.errors.isEmpty());
    }

    // Every facility written with every present guest: the closing box is information, listing
    // each file and its guests; a present guest left out turns it into a warning that names her.
    void closingBoxSaysWhatWasWritten_data()
    {
        QTest::addColumn<bool>("withoutArrivalTime");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("guestLine");
        QTest::newRow("all written") << false << int(MessageBoxes::Kind::Information)
                                     << "İşlem Tamamlandı. Bütün bildirim dosyaları yazıldı." << "Deniz Otel: %1, 2 misafir.";
        QTest::newRow("a guest left out")
            << true << int(MessageBoxes::Kind::Warning)
            << "Bildirim eksik kaldı: bazı tesislerin dosyası yazılmadı ya da misafirleri eksik."
            << "Deniz Otel: %1, 1 misafir.\n    Deniz Otel / 7 / Ayşe Kaya: geliş saati eksik, bildirime yazılmadı.";
    }
    void closingBoxSaysWhatWasWritten()
    {
        QFETCH(bool, withoutArrivalTime);
        QFETCH(int, kind);
        QFETCH(QString, head);
        QFETCH(QString, guestLine);
        ExportWindow w;
        QTemporaryDir police;
        w.setFolders(police.path(), QVariant());
        const qint64 room = w.addRoom(w.addFacility("Deniz Otel", 1234, "P"), "7");
        w.addGuest(room, "Ayşe", QDate::currentDate(), {},
                   withoutArrivalTime ? QVariantMap{{"GELISSAAT", QVariant()}} : QVariantMap());
        w.addGuest(room, "Burak", QDate::currentDate());
        w.confirmAnswer = QMessageBox::Ok;
        w.form.show();
        w.clickSave();
        const QStringList files = filesIn(police.path());
        QCOMPARE(files.size(), 1);
        QCOMPARE(int(w.boxes.last().kind), kind);
        const int guests = withoutArrivalTime ? 1 : 2;
        QCOMPARE(w.boxes.last().text,
                 head + "\n\n" + guestLine.arg(files[0]) + "\n\n"
                     + QString("Özet: 1 etkin tesis, 1 dosya yazıldı, %1 misafir bildirildi, %2 misafir bildirime "
                               "yazılmadı.")
                           .arg(guests)
                           .arg(2 - guests));
    }

    // Whatever way the day is changed, the export gets the new day with the showing's time.
    void exportMomentIsTheChosenDayWithTheShowingsTime()
    {
        ExportWindow w;
        w.setFolders("/srv/akbs", QVariant());
        QList<QDateTime> moments;
        w.form.setExporter([&](const QDateTime &moment) {
            moments << moment;
            return ExportOutcome();
        });
        w.confirmAnswer = QMessageBox::Ok;
        w.form.show();
        const QTime shownAt = w.form.secilenAn().time();
        QVERIFY(shownAt != QTime(0, 0));

        const QDate picked = QDate::currentDate().addDays(-40);
        w.form.dtp_tarih()->setDate(picked);
        w.clickSave();
        // Typing the year into the picker.
        w.form.dtp_tarih()->setFocus();
        w.form.dtp_tarih()->setSelectedSection(QDateTimeEdit::YearSection);
        QTest::keyClicks(w.form.dtp_tarih(), QString::number(picked.year() - 1));
        w.clickSave();

        QCOMPARE(moments.size(), 2);
        QCOMPARE(moments[0], QDateTime(picked, shownAt));
        QCOMPARE(moments[1], QDateTime(picked.addYears(-1), shownAt));
        QCOMPARE(w.list().param("tarih").toDate(), picked.addYears(-1));
    }

    // The export's error is shown in an error box instead of the completion message: here the
    // settings window is closed without a folder, so the export finds the settings incomplete.
    void exportErrorIsShownInAnErrorBox()
    {
        ExportWindow w;
        w.confirmAnswer = QMessageBox::Ok;
        w.form.show();
        w.answerSettingsWindowWith();
        w.clickSave();
        QCOMPARE(w.shown, (QStringList{"ayarlar", "onay", "hata"}));
        QCOMPARE(w.boxes.last().text, QString("Ayar girişi eksik."));
        QCOMPARE(w.boxes.last().kind, MessageBoxes::Kind::Error);
        QVERIFY(w.errors.isEmpty());
    }

    void openButtonsPassTheirFolders()
    {
        ExportWindow w;
        w.setFolders("/srv/polis", "/srv/jandarma");
        QStringList opened;
        w.form.setFolderOpener([&](const QString &folder) { opened << folder; });
        w.form.show();
        QTest::mouseClick(w.form.btn2(), Qt::LeftButton);
        QTest::mouseClick(w.form.btn1(), Qt::LeftButton);
        QCOMPARE(opened, (QStringList{"/srv/jandarma", "/srv/polis"}));
        QVERIFY(w.boxes.isEmpty());
    }

    // Each row is checked on its own (a foreign guest needs no TC number, a departed one a time
    // of departure); drawing looks at the rows without moving the list's current row.
    void incompleteRowsAreOrangeRedExceptInTheFocusedCell()
    {
        ExportWindow w;
        const QDate today = QDate::currentDate();
        const qint64 room = w.addRoom(w.addFacility("Deniz Otel", 5), "7");
        // Listed newest first: rows 0..4 from the last added.
        w.addGuest(room, "E Tam", today);
        w.addGuest(room, "D Ayrilis Saati Yok", today, today, {{"AYRILISSAAT", QVariant()}});
        w.addGuest(room, "C Yabanci", today, {}, {{"UYRUGU", "DEU"}, {"TCNO", QVariant()}, {"ANAADI", QVariant()}});
        w.addGuest(room, "B Baba Adi Yok", today, {}, {{"BABAADI", QVariant()}});
        w.addGuest(room, "A Tam", today);
        w.form.resize(1000, 500);
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QCOMPARE(w.listedNames(),
                 (QStringList{"A Tam", "B Baba Adi Yok", "C Yabanci", "D Ayrilis Saati Yok", "E Tam"}));
        const QList<bool> incomplete{false, true, false, true, false};
        for (int row = 0; row < incomplete.size(); ++row)
            QCOMPARE(w.form.satirEksik(row), incomplete[row]);

        const int adi = w.gridColumn("ADI");
        const int soyadi = w.gridColumn("SOYADI");
        w.grid().setCurrentIndex(w.grid().model()->index(1, soyadi));
        QCOMPARE(w.list().row(), 1);
        QSignalSpy moves(&w.list(), &Query::currentRowChanged);
        const QImage image = w.grid().viewport()->grab().toImage();
        auto cell = [&](int row, int column) {
            return w.grid().visualRect(w.grid().model()->index(row, column)).adjusted(2, 2, -2, -2);
        };
        for (int row = 0; row < incomplete.size(); ++row)
            QCOMPARE(containsColor(image, cell(row, adi), kOrangeRed), incomplete[row]);
        QVERIFY(!containsColor(image, cell(1, soyadi), kOrangeRed)); // the focused cell
        QVERIFY(containsColor(image, cell(3, soyadi), kOrangeRed));
        QCOMPARE(moves.count(), 0);
        QCOMPARE(w.list().row(), 1);

        // Rows read again are checked again.
        w.db().execute("UPDATE MISAFIR SET BABAADI='Veli' WHERE ADI='B Baba Adi Yok'");
        w.form.onfiltreuygula();
        QVERIFY(!w.form.satirEksik(1));
        QVERIFY(w.form.satirEksik(3));
        QVERIFY(w.errors.isEmpty());
    }
};

QTEST_MAIN(TestFormXmlKaydet)
#include "tst_formxmlkaydet.moc"
