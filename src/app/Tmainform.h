#pragma once
#include <QMainWindow>

class QAction;
class QTabWidget;
class QMenu;
class QToolBar;
class DeliveryWarningBar;
class NotificationHistoryWindow;
class TAboutBox;
class TFormAyar;
class TFormXmlKaydet;
class TFrameBase;
class TFrameMisafirler;
class TFrameTesisler;
class Tdm1;
class PrivacyCommands;

// The program's main window: the guest list and the facilities on two tabs, the commands in the
// menu, on the tool bar and on their shortcuts. Closing it ends the program.
class Tmainform : public QMainWindow {
    Q_OBJECT
public:
    // The address of the population registry's public TC identity-number verification page.
    static constexpr const char *kTcKimlikSorguAdresi = "https://tckimlik.nvi.gov.tr/Modul/TcKimlikNoDogrula";

    Tmainform(Tdm1 *dm, TFrameMisafirler *guests, TFrameTesisler *facilities, QWidget *parent = nullptr);

    // The secondary windows are created after the main window; they are handed over here.
    void setWindows(TAboutBox *about, TFormAyar *settings, TFormXmlKaydet *export_);

    QTabWidget *pgc1() const { return m_pages; }
    TFrameMisafirler *FrameMisafirler1() const { return m_guests; }
    TFrameTesisler *FrameTesisler1() const { return m_facilities; }
    QAction *actYeniMisafir() const { return m_actYeniMisafir; }
    QAction *actyenicikis() const { return m_actyenicikis; }
    QAction *acttckimliknosorgulama() const { return m_acttckimliknosorgulama; }
    QAction *actxmlkaydet() const { return m_actxmlkaydet; }
    QAction *actayarlar() const { return m_actayarlar; }
    QAction *actyedektengeriyukle() const { return m_actyedektengeriyukle; }
    QAction *actcikis() const { return m_actcikis; }
    QAction *actabout() const { return m_actabout; }
    QToolBar *toolBar() const { return m_toolBar; }
    PrivacyCommands *privacy() const { return m_privacy; }
    // The notification runs: the warning bar above the tabs and the history window.
    QAction *actbildirimgecmisi() const { return m_actbildirimgecmisi; }
    DeliveryWarningBar *deliveryBar() const { return m_deliveryBar; }
    NotificationHistoryWindow *historyWindow();

    // Switches to tab index exactly as a click on the tab would; nothing when it is current or
    // out of range. The switch does not happen when the operator keeps an edit on the tab
    // being left; false then.
    bool sayfaDegistir(int index);

signals:
    // The frame protocol, for whoever watches it (the tests do).
    void frameHidden(TFrameBase *frame);
    void frameShown(TFrameBase *frame);

protected:
    void showEvent(QShowEvent *event) override;
    // Nothing typed is lost without a question: an edit pending on the current tab is saved,
    // dropped or kept as the operator answers, and keeping it keeps the program open.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void actYeniMisafirExecute();
    void actyenicikisExecute();
    void acttckimliknosorgulamaExecute();
    void actxmlkaydetExecute();
    void actayarlarExecute();
    void actcikisExecute();
    void actaboutExecute();
    void actbildirimgecmisiExecute();
    void actyedektengeriyukleExecute();

private:
    void FormShow();
    void pgc1Changing(int leaving);
    void pgc1Change(int entered);
    void onCurrentChanged(int index);
    bool mayLeave(int leaving, int entering);
    TFrameBase *frameOn(int index) const;
    QAction *makeAction(const QString &caption, const QString &hint, const QIcon &icon,
                        void (Tmainform::*handler)());
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void releaseRegister();

    Tdm1 *m_dm;
    TFrameMisafirler *m_guests;
    TFrameTesisler *m_facilities;
    QTabWidget *m_pages = nullptr;
    QToolBar *m_toolBar = nullptr;
    TAboutBox *m_about = nullptr;
    TFormAyar *m_settings = nullptr;
    TFormXmlKaydet *m_export = nullptr;
    PrivacyCommands *m_privacy = nullptr;
    DeliveryWarningBar *m_deliveryBar = nullptr;
    NotificationHistoryWindow *m_history = nullptr;
    int m_currentPage = -1;
    bool m_switching = false;

    QAction *m_actYeniMisafir = nullptr;
    QAction *m_actyenicikis = nullptr;
    QAction *m_acttckimliknosorgulama = nullptr;
    QAction *m_actxmlkaydet = nullptr;
    QAction *m_actayarlar = nullptr;
    QAction *m_actyedektengeriyukle = nullptr;
    QAction *m_actcikis = nullptr;
    QAction *m_actabout = nullptr;
    QAction *m_actbildirimgecmisi = nullptr;
};
