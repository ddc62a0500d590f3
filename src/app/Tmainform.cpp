#include "app/Tmainform.h"

#include "app/TAboutBox.h"
#include "backup/BackupRestoreDialog.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "delivery/DeliveryWarningBar.h"
#include "delivery/NotificationHistoryWindow.h"
#include "forms/TFormAyar.h"
#include "forms/MessageBoxes.h"
#include "forms/TFormXmlKaydet.h"
#include "forms/TFrameMisafirler.h"
#include "forms/TFrameTesisler.h"
#include "privacy/PrivacyCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// Icons of the actions, by index in the data module's icon list.
constexpr int kGuestIcon = 108;
constexpr int kCheckOutIcon = 21;
constexpr int kExportIcon = 122;
constexpr int kSettingsIcon = 121;
constexpr int kExitIcon = 33;
} // namespace

Tmainform::Tmainform(Tdm1 *dm, TFrameMisafirler *guests, TFrameTesisler *facilities, QWidget *parent)
    : QMainWindow(parent), m_dm(dm), m_guests(guests), m_facilities(facilities)
{
    setWindowTitle(QStringLiteral("Selvane"));
    QFont font = this->font();
    font.setPointSize(9);
    setFont(font);

    m_pages = new QTabWidget(this);
    m_pages->addTab(guests, QStringLiteral("Misafirler"));
    m_pages->addTab(facilities, QStringLiteral("Tesis Tanımları"));
    m_pages->setCurrentIndex(0);
    // The bar about missing notifications sits above the tabs, where it cannot be missed.
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_deliveryBar = new DeliveryWarningBar(dm ? dm->dbMain() : nullptr, central);
    layout->addWidget(m_deliveryBar);
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);
    connect(m_pages, &QTabWidget::currentChanged, this, &Tmainform::onCurrentChanged);

    buildActions();
    connect(m_deliveryBar, &DeliveryWarningBar::exportRequested, m_actxmlkaydet, &QAction::trigger);
    connect(m_deliveryBar, &DeliveryWarningBar::detailsRequested, m_actbildirimgecmisi, &QAction::trigger);
    buildMenus();
    buildToolBar();
    statusBar()->setSizeGripEnabled(true);
    resize(1024, 700);
}

void Tmainform::setWindows(TAboutBox *about, TFormAyar *settings, TFormXmlKaydet *export_)
{
    m_about = about;
    m_settings = settings;
    m_export = export_;
}

QAction *Tmainform::makeAction(const QString &caption, const QString &hint, const QIcon &icon,
                               void (Tmainform::*handler)())
{
    auto *action = new QAction(icon, caption, this);
    // The short part of a hint is the tool tip, the long part goes to the status bar.
    action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    action->setStatusTip(hint.section(QLatin1Char('|'), 1));
    connect(action, &QAction::triggered, this, [this, handler] { ErrorSink::guard([&] { (this->*handler)(); }); });
    return action;
}

void Tmainform::buildActions()
{
    IconList *icons = m_dm ? m_dm->il_db() : nullptr;
    auto icon = [icons](int index) { return icons ? icons->icon(index) : QIcon(); };
    m_actYeniMisafir = makeAction(QStringLiteral("Yeni Giriş"), QStringLiteral("Yeni Misafir|Yeni Misafir Kaydı Gir"),
                                  icon(kGuestIcon), &Tmainform::actYeniMisafirExecute);
    m_actYeniMisafir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_actyenicikis = makeAction(QStringLiteral("Misafir Çıkışı Kaydet"),
                                QStringLiteral("Misafir Çıkış|Konaklayan misafirin durumunu çıkış olarak düzenle"),
                                icon(kCheckOutIcon), &Tmainform::actyenicikisExecute);
    m_acttckimliknosorgulama = makeAction(QStringLiteral("TC Sorgulama"),
                                          QStringLiteral("TC Kimlik Sorgulama|TC Kimlik sorgulama sayfasını aç"),
                                          style()->standardIcon(QStyle::SP_DialogHelpButton),
                                          &Tmainform::acttckimliknosorgulamaExecute);
    m_actxmlkaydet = makeAction(QStringLiteral("XML Kaydet"), QStringLiteral("Xml Kaydet|Yeni XML Bildirim Dosyası Kaydet"),
                                icon(kExportIcon), &Tmainform::actxmlkaydetExecute);
    m_actxmlkaydet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_actayarlar = makeAction(QStringLiteral("Ayarlar"), QStringLiteral("Ayarlar|Program Ayarlarını Görüntüler ve Değiştirir"),
                              icon(kSettingsIcon), &Tmainform::actayarlarExecute);
    m_actyedektengeriyukle = makeAction(QStringLiteral("Yedekten Geri Yükle"),
                                        QStringLiteral("Yedekten Geri Yükle|Kayıt dosyasını günlük yedeklerden birine döndürür"),
                                        style()->standardIcon(QStyle::SP_BrowserReload),
                                        &Tmainform::actyedektengeriyukleExecute);
    m_actcikis = makeAction(QStringLiteral("Çıkış"), QStringLiteral("Çıkış|Uygulamadan Çıkış"), icon(kExitIcon),
                            &Tmainform::actcikisExecute);
    m_actabout = makeAction(QStringLiteral("Hakkında"),
                            QStringLiteral("Hakkında|Program bilgisi, version ve telif hakkı görüntüler."),
                            style()->standardIcon(QStyle::SP_MessageBoxInformation), &Tmainform::actaboutExecute);
    m_actbildirimgecmisi = makeAction(QStringLiteral("Bildirim Geçmişi"),
                                      QStringLiteral("Bildirim Geçmişi|Yazılan bildirim dosyalarını gösterir ve doğrular"),
                                      icon(kExportIcon), &Tmainform::actbildirimgecmisiExecute);
    for (QAction *action : {m_actYeniMisafir, m_actxmlkaydet})
        action->setShortcutContext(Qt::ApplicationShortcut);
    m_privacy = new PrivacyCommands(m_dm, this);
}

void Tmainform::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Dosya"));
    file->addAction(m_actYeniMisafir);
    file->addAction(m_actyenicikis);
    file->addSeparator();
    file->addAction(m_acttckimliknosorgulama);
    file->addAction(m_actxmlkaydet);
    file->addAction(m_actbildirimgecmisi);
    file->addAction(m_privacy->actkisiselverisorgusu());
    file->addSeparator();
    file->addAction(m_actayarlar);
    file->addAction(m_actyedektengeriyukle);
    file->addAction(m_actcikis);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Yardım"));
    help->menuAction()->setStatusTip(QStringLiteral("Yardım Başlıkları"));
    help->addAction(m_actabout);
}

void Tmainform::buildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Araçlar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setIconSize(QSize(16, 16));
    for (QAction *action : {m_actYeniMisafir, m_actyenicikis}) {
        m_toolBar->addAction(action);
    }
    m_toolBar->addSeparator();
    for (QAction *action : {m_acttckimliknosorgulama, m_actxmlkaydet})
        m_toolBar->addAction(action);
    for (QAction *action : m_toolBar->actions()) {
        // 109 × 37, widened where the desktop font needs more room for the caption.
        if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(action))) {
            button->setFixedHeight(37);
            button->setMinimumWidth(109);
        }
    }
}

TFrameBase *Tmainform::frameOn(int index) const
{
    return qobject_cast<TFrameBase *>(m_pages->widget(index));
}

void Tmainform::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        ErrorSink::guard([this] { FormShow(); });
}

// Tab 0 is current at start, so the switch does nothing; the explicit change call gives the
// first frame its doshow all the same.
void Tmainform::FormShow()
{
    sayfaDegistir(0);
    pgc1Change(m_pages->currentIndex());
    m_deliveryBar->refresh();
    m_privacy->atFirstShow();
}

bool Tmainform::sayfaDegistir(int index)
{
    if (index == m_pages->currentIndex() || index < 0 || index >= m_pages->count())
        return true;
    m_pages->setCurrentIndex(index);
    return m_pages->currentIndex() == index;
}

// The tab widget reports a change only after it happened; the frame being left still gets its
// dohide before the frame entered gets its doshow.
void Tmainform::onCurrentChanged(int index)
{
    if (m_switching)
        return;
    const int leaving = m_currentPage;
    if (leaving >= 0 && leaving != index && !mayLeave(leaving, index))
        return;
    ErrorSink::guard([&] {
        if (leaving >= 0 && leaving != index)
            pgc1Changing(leaving);
    });
    ErrorSink::guard([&] { pgc1Change(index); });
}

// The tab widget has no veto before a tab changes: the tab it has just turned to is turned back
// while the pending edit is settled, and turned to again only when the operator goes on.
bool Tmainform::mayLeave(int leaving, int entering)
{
    TFrameBase *frame = frameOn(leaving);
    if (!frame)
        return true;
    {
        const QScopedValueRollback switching(m_switching, true);
        m_pages->setCurrentIndex(leaving);
    }
    if (!frame->resolvePendingEdit())
        return false;
    const QScopedValueRollback switching(m_switching, true);
    m_pages->setCurrentIndex(entering);
    return true;
}

void Tmainform::closeEvent(QCloseEvent *event)
{
    TFrameBase *frame = frameOn(m_pages->currentIndex());
    if (frame && !frame->resolvePendingEdit()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void Tmainform::pgc1Changing(int leaving)
{
    if (TFrameBase *frame = frameOn(leaving)) {
        frame->dohide();
        emit frameHidden(frame);
    }
}

void Tmainform::pgc1Change(int entered)
{
    m_currentPage = entered;
    // A facility added or switched on in the facilities tab may need the bar.
    m_deliveryBar->refresh();
    if (TFrameBase *frame = frameOn(entered)) {
        frame->doshow();
        emit frameShown(frame);
    }
}

void Tmainform::actYeniMisafirExecute()
{
    if (sayfaDegistir(m_pages->indexOf(m_guests)))
        m_guests->yenigiris();
}

void Tmainform::actyenicikisExecute()
{
    if (sayfaDegistir(m_pages->indexOf(m_guests)))
        m_guests->yenicikis();
}

void Tmainform::acttckimliknosorgulamaExecute()
{
    const QString address = QString::fromLatin1(kTcKimlikSorguAdresi);
    // Without a browser the toolkit only notes it on standard error; the operator is told where
    // to go instead.
    if (!QDesktopServices::openUrl(QUrl(address)))
        MessageBoxes::showError(this, QStringLiteral("İnternet tarayıcısı açılamadı. Sorgulama sayfasının adresi:\n%1")
                                          .arg(address));
}

void Tmainform::actxmlkaydetExecute()
{
    if (m_export)
        m_export->exec();
    // Facilities may have been changed meanwhile as well as written.
    m_deliveryBar->refresh();
}

NotificationHistoryWindow *Tmainform::historyWindow()
{
    if (!m_history && m_dm)
        m_history = new NotificationHistoryWindow(m_dm->dbMain(), this);
    return m_history;
}

void Tmainform::actbildirimgecmisiExecute()
{
    if (NotificationHistoryWindow *history = historyWindow())
        history->exec();
}

void Tmainform::actayarlarExecute()
{
    if (m_settings)
        m_settings->exec();
}

void Tmainform::actcikisExecute()
{
    close();
}

void Tmainform::actyedektengeriyukleExecute()
{
    BackupRestoreDialog dialog(QStringLiteral("qrt.db"), m_dm ? m_dm->il_db() : nullptr, this);
    dialog.setReleaseRegister([this] { releaseRegister(); });
    dialog.exec();
}

// The register is replaced underneath the program: every statement on it is finished and the
// connection closed first, so that nothing of the old file stays locked or cached.
void Tmainform::releaseRegister()
{
    if (TFrameBase *frame = frameOn(m_pages->currentIndex()))
        frame->dohide();
    if (!m_dm)
        return;
    m_dm->fdqry_uyruk()->close();
    m_dm->fdqry_kimlikturu()->close();
    m_dm->dbMain()->close();
}

void Tmainform::actaboutExecute()
{
    if (m_about)
        m_about->exec();
}
