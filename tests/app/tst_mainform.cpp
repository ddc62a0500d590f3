#include "TestSupport.h"
#include "app/TAboutBox.h"
#include "app/Tmainform.h"
#include "controls/FilterGrid.h"
#include "data/Tdm1.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormAyar.h"
#include "forms/TFormMisafirCikis.h"
#include "forms/TFormMisafirEdit.h"
#include "forms/TFormXmlKaydet.h"
#include "forms/TFrameMisafirler.h"
#include "forms/TFrameTesisler.h"
#include "gen/TransientMessage.h"

#include <QAction>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <QFile>
#include <QtTest>

namespace {

// Stands in for the desktop's browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// The whole interactive program on a fresh database, wired as start-up wires it.
struct Program {
    testsupport::ScopedWorkDir dir;
    Tdm1 dm;
    TFrameMisafirler *guests = new TFrameMisafirler(&dm);
    TFrameTesisler *facilities = new TFrameTesisler(&dm);
    Tmainform main{&dm, guests, facilities};
    TAboutBox *about = new TAboutBox(&main);
    TFormMisafirEdit *entry = new TFormMisafirEdit(&dm, &main);
    TFormAyar *settings = new TFormAyar(dm.dbMain(), dm.il_db(), &main);
    TFormXmlKaydet *exportWindow = new TFormXmlKaydet(dm.dbMain(), dm.il_db(), dm.FDT(), settings, &main);
    TFormMisafirCikis *checkOut = new TFormMisafirCikis(dm.dbMain(), dm.FDT(), dm.il_db(), &main);
    QStringList protocol;

    Program()
    {
        main.setWindows(about, settings, exportWindow);
        guests->setWindows(entry, checkOut);
        QObject::connect(&main, &Tmainform::frameHidden, [this](TFrameBase *f) { protocol << "hide:" + name(f); });
        QObject::connect(&main, &Tmainform::frameShown, [this](TFrameBase *f) { protocol << "show:" + name(f); });
    }
    QString name(TFrameBase *frame) const { return frame == guests ? "guests" : "facilities"; }
    void show()
    {
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
    }
};

// Closes the modal window that is open when the event loop next runs, after checking it.
void whenModalOpens(std::function<void(QWidget *)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget *modal = QApplication::activeModalWidget();
        check(modal);
        if (modal)
            modal->close();
    });
}

} // namespace

class TestMainform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void firstShowGivesTheGuestFrameItsDoshow()
    {
        Program p;
        p.show();
        QCOMPARE(p.protocol, QStringList({"show:guests"}));
        QVERIFY(p.guests->fdqry_misafirler()->isOpen());
        QCOMPARE(p.main.windowTitle(), QString("Selvane"));
    }

    void switchingTabsHidesBeforeShowingOnceEach()
    {
        Program p;
        p.show();
        p.protocol.clear();
        p.main.pgc1()->setCurrentIndex(1);
        QCOMPARE(p.protocol, QStringList({"hide:guests", "show:facilities"}));
        QVERIFY(!p.guests->fdqry_misafirler()->isOpen());
        p.main.sayfaDegistir(1); // already current: nothing
        p.main.sayfaDegistir(7); // out of range: nothing
        QCOMPARE(p.protocol.size(), 2);
    }

    void ctrlNFromTheFacilitiesTabSwitchesAndOpensANewEntry()
    {
        Program p;
        p.show();
        p.main.sayfaDegistir(1);
        p.protocol.clear();
        MessageBoxes::ScopedPresenter answers([](const MessageBoxes::Request &) { return QMessageBox::Ok; });
        bool entryShown = false;
        whenModalOpens([&](QWidget *modal) {
            entryShown = modal == p.entry;
            QCOMPARE(p.guests->fdqry_misafirler()->state(), Query::State::Insert);
        });
        QTest::keyClick(&p.main, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(entryShown);
        QCOMPARE(p.protocol, QStringList({"hide:facilities", "show:guests"}));
        QCOMPARE(p.main.pgc1()->currentIndex(), 0);
    }

    void guestActionOnTheGuestTabDoesNotSwitchOrShowAgain()
    {
        Program p;
        p.show();
        p.protocol.clear();
        ScopedMesajGosterHook quiet([](const QString &, const QString &) {});
        bool checkOutShown = false;
        whenModalOpens([&](QWidget *modal) { checkOutShown = modal == p.checkOut; });
        p.main.actyenicikis()->trigger();
        QVERIFY(checkOutShown);
        QVERIFY(p.protocol.isEmpty());
    }

    void ctrlSOpensTheExportWindowAndComesBackToTheSameTab()
    {
        Program p;
        p.show();
        p.main.sayfaDegistir(1);
        bool exportShown = false;
        whenModalOpens([&](QWidget *modal) { exportShown = modal == p.exportWindow; });
        QTest::keyClick(&p.main, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(exportShown);
        QCOMPARE(p.main.pgc1()->currentIndex(), 1);
    }

    void tcQueryOpensTheRegistryPageOrSaysWhereItIs()
    {
        Program p;
        QStringList boxes;
        MessageBoxes::ScopedPresenter answers([&](const MessageBoxes::Request &request) {
            boxes << request.text;
            return QMessageBox::Ok;
        });
        BrowserStandIn browser;
        QDesktopServices::setUrlHandler("https", &browser, "open");
        p.main.acttckimliknosorgulama()->trigger();
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(browser.opened, QList<QUrl>{QUrl("https://tckimlik.nvi.gov.tr/Modul/TcKimlikNoDogrula")});
        QVERIFY(boxes.isEmpty());

        // The offscreen platform has no browser: the operator gets the address instead of nothing.
        p.main.acttckimliknosorgulama()->trigger();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes.first().contains("https://tckimlik.nvi.gov.tr/Modul/TcKimlikNoDogrula"));
    }

    void actionsMenusAndToolBarAreAsTheOperatorKnowsThem()
    {
        Program p;
        QCOMPARE(p.main.actYeniMisafir()->text(), QString("Yeni Giriş"));
        QCOMPARE(p.main.actYeniMisafir()->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(p.main.actxmlkaydet()->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(p.main.actyenicikis()->toolTip(), QString("Misafir Çıkış"));
        QCOMPARE(p.main.actyenicikis()->statusTip(), QString("Konaklayan misafirin durumunu çıkış olarak düzenle"));
        QCOMPARE(p.main.pgc1()->tabText(0), QString("Misafirler"));
        QCOMPARE(p.main.pgc1()->tabText(1), QString("Tesis Tanımları"));
        const QList<QAction *> tools = p.main.toolBar()->actions();
        QCOMPARE(tools.size(), 5); // two guest actions, a separator, TC query and export
        auto *button = qobject_cast<QToolButton *>(p.main.toolBar()->widgetForAction(tools.first()));
        QVERIFY(button);
        QCOMPARE(button->height(), 37);
        QVERIFY(button->width() >= 109);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    }

    void restoreFromACopySitsInTheFileMenuAndListsTheCopies()
    {
        Program p;
        QMenu *file = p.main.menuBar()->actions().first()->menu();
        const QList<QAction *> items = file->actions();
        const qsizetype settingsAt = items.indexOf(p.main.actayarlar());
        QCOMPARE(items.value(settingsAt + 1), p.main.actyedektengeriyukle());
        QCOMPARE(items.value(settingsAt + 2), p.main.actcikis());
        QCOMPARE(p.main.actyedektengeriyukle()->text(), QString("Yedekten Geri Yükle"));

        QDir().mkpath("yedek");
        QVERIFY(QFile::copy("qrt.db", "yedek/qrt-20261209.db"));
        p.show();
        int listed = -1;
        whenModalOpens([&](QWidget *modal) {
            QVERIFY(modal);
            QCOMPARE(modal->windowTitle(), QString("Yedekten Geri Yükle"));
            listed = modal->findChild<QTreeWidget *>("copyList")->topLevelItemCount();
        });
        p.main.actyedektengeriyukle()->trigger();
        QCOMPARE(listed, 1);
    }
};

QTEST_MAIN(TestMainform)
#include "tst_mainform.moc"
