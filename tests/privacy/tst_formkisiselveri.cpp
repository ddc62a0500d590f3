#include "PrivacyFixture.h"

#include "controls/DbLookupComboBox.h"
#include "controls/FilterGrid.h"
#include "controls/NullableDateEdit.h"
#include "data/GridPrintPreviewDialog.h"
#include "data/GridPrinter.h"
#include "forms/MessageBoxes.h"
#include "gen/TransientMessage.h"
#include "privacy/TFormKisiselVeriSorgusu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace privacytest;

namespace {

struct Boxes {
    QList<MessageBoxes::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    MessageBoxes::ScopedPresenter presenter{[this](const MessageBoxes::Request &request) {
        asked << request;
        return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
    }};
};

// The window over a register with Şahin Işık's stays (one ended, one still going on) and
// another guest's stay, shown as the menu shows it.
struct Window {
    Register r;
    Boxes boxes;
    QStringList transient;
    ScopedMesajGosterHook messageHook{[this](const QString &text, const QString &) { transient << text; }};
    qint64 ended = 0, staying = 0, other = 0;
    TFormKisiselVeriSorgusu form{r.module.get()};

    Window()
    {
        Identity sahin = Identity::make("S", 10000000146);
        sahin.givenName = "ŞAHİN";
        sahin.surname = "IŞIK";
        sahin.serial = "A12B34";
        ended = r.addStay(sahin, day(-60), day(-55));
        staying = r.addStay(sahin, day(-1), QVariant());
        other = r.addStay(Identity::make("O", 10000000078), day(-60), day(-55));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    void type(QWidget *editor, const QString &text)
    {
        editor->setFocus(Qt::TabFocusReason);
        // Letters beyond ASCII (ş, ı) reach the editor as a keyboard sends them: as text.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void search() { QTest::mouseClick(form.findChild<QPushButton *>("btnara"), Qt::LeftButton); }
    void press(const char *button) { QTest::mouseClick(form.findChild<QToolButton *>(button), Qt::LeftButton); }

    QList<qint64> listed()
    {
        Query &q = *form.fdqry_kisi();
        QList<qint64> ids;
        if (!q.isOpen())
            return ids;
        q.fetchAll();
        for (int row = 0; row < q.loadedCount(); ++row)
            ids << q.rawValue(row, q.columnOf("IDMISAFIR")).toLongLong();
        return ids;
    }
    void tick(const QList<qint64> &stays)
    {
        const QList<qint64> ids = listed();
        for (qint64 stay : stays)
            form.smdbgrd_kisi()->setChecked(int(ids.indexOf(stay)), true);
    }
    void searchByTcNo()
    {
        type(form.edtTcNo(), "10000000146");
        search();
    }
    bool erased(qint64 stay) { return r.stored(stay, "ADI").toString() == QString("SİLİNDİ"); }
};

} // namespace

class TestFormKisiselVeri : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    // The operator types one key; typing into its fields chooses it. The list holds every stay of
    // the person, newest first, and nobody else.
    void searchByEachKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("TC number") << "tc";
        QTest::newRow("document serial and nationality") << "serial";
        QTest::newRow("name and birth date") << "name";
    }
    void searchByEachKey()
    {
        QFETCH(QString, key);
        Window w;
        QCOMPARE(w.listed(), QList<qint64>());
        if (key == "tc") {
            w.type(w.form.edtTcNo(), "10000000146");
            QVERIFY(w.form.rbTcNo()->isChecked());
        } else if (key == "serial") {
            w.type(w.form.edtSeriNo(), "a12b34");
            QVERIFY(w.form.rbSeriNo()->isChecked());
            QCOMPARE(w.form.cbbUyruk()->currentKey(), QString("TC"));
        } else {
            w.type(w.form.edtAdi(), "şahin");
            w.type(w.form.edtSoyadi(), "ışık");
            w.type(w.form.dtDogumTarihi(), "23041985");
            QTest::keyClick(w.form.dtDogumTarihi(), Qt::Key_Tab);
            QCOMPARE(w.form.dtDogumTarihi()->nullableDate(), QDate(1985, 4, 23));
            QVERIFY(w.form.rbAdSoyad()->isChecked());
        }
        w.search();
        QCOMPARE(w.boxes.asked.size(), 0);
        QCOMPARE(w.listed(), (QList<qint64>{w.staying, w.ended}));
        QVERIFY(w.form.lblSonuc()->text().startsWith("2 konaklama bulundu."));
    }

    void incompleteKeyIsExplained()
    {
        Window w;
        w.type(w.form.edtTcNo(), "123");
        w.search();
        QCOMPARE(w.boxes.asked.size(), 1);
        QVERIFY(w.boxes.asked.first().text.contains("11 haneli"));
        QCOMPARE(w.listed(), QList<qint64>());
    }

    // Of the ticked stays only the ended one is erased, after a question whose default is Cancel
    // and which says what is kept back; the erased stay leaves the list.
    void erasesTheEndedOfTheTickedStays_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void erasesTheEndedOfTheTickedStays()
    {
        QFETCH(bool, confirmed);
        Window w;
        w.searchByTcNo();
        w.tick({w.ended, w.staying});
        w.boxes.answer = confirmed ? QMessageBox::Ok : QMessageBox::Cancel;
        w.press("btnsil");
        const MessageBoxes::Request &question = w.boxes.asked.first();
        QCOMPARE(question.kind, MessageBoxes::Kind::Warning);
        QCOMPARE(question.defaultButton, QMessageBox::Cancel);
        QVERIFY2(question.text.startsWith("Seçilen 1 konaklamadaki kişisel veriler"), qPrintable(question.text));
        QVERIFY(question.text.contains("1 konaklama henüz bitmediği için silinmeyecek."));
        QCOMPARE(w.erased(w.ended), confirmed);
        QVERIFY(!w.erased(w.staying) && !w.erased(w.other));
        if (confirmed) {
            QCOMPARE(w.listed(), QList<qint64>{w.staying});
            QCOMPARE(w.boxes.asked.last().text, QString("1 konaklamanın kişisel verileri silindi."));
        } else {
            QCOMPARE(w.listed(), (QList<qint64>{w.staying, w.ended}));
            QCOMPARE(w.boxes.asked.size(), 1);
        }
    }

    void stayStillGoingOnIsNotErased()
    {
        Window w;
        w.searchByTcNo();
        w.press("btnsil");
        QCOMPARE(w.transient, QStringList{"Seçim yapınız"});
        w.tick({w.staying});
        w.boxes.answer = QMessageBox::Ok;
        w.press("btnsil");
        QCOMPARE(w.boxes.asked.size(), 1);
        QVERIFY(w.boxes.asked.first().text.startsWith("Seçilen konaklamaların hiçbiri bitmemiş."));
        QVERIFY(!w.erased(w.staying));
    }

    // The print shows everything the register holds about the person, the notes included.
    void printHoldsThePersonsData()
    {
        Window w;
        w.searchByTcNo();
        GridReportTable printed;
        GridPrinter::setPreviewRunner([&](GridPrintPreviewDialog &) { printed = w.r.module->tablePrint().prepareReport(); });
        w.press("btnyazdir");
        GridPrinter::setPreviewRunner({});
        QCOMPARE(printed.title(), QString("Kişisel Veri Dökümü"));
        QCOMPARE(printed.rowCount(), 2);
        const QStringList labels = printed.labels();
        for (const char *label : {"ADI", "TC NO", "IKAMET ADRESI", "ARAC PLAKANO", "NOTLAR"})
            QVERIFY2(labels.contains(label), label);
        QCOMPARE(printed.cell(0, int(labels.indexOf("NOTLAR"))).text, QString("NOTS"));
        QCOMPARE(printed.cell(1, int(labels.indexOf("ADI"))).text, QString("ŞAHİN"));
    }

    // Closing leaves nothing of the person on the screen for the next showing.
    void closingForgetsThePerson()
    {
        Window w;
        w.searchByTcNo();
        w.press("btnkapat");
        w.form.show();
        QCOMPARE(w.form.edtTcNo()->text(), QString());
        QCOMPARE(w.listed(), QList<qint64>());
    }
};

QTEST_MAIN(TestFormKisiselVeri)
#include "tst_formkisiselveri.moc"
