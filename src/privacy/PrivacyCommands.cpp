#include "privacy/PrivacyCommands.h"

#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"
#include "privacy/KeepingPeriod.h"
#include "privacy/RegisterFileMode.h"
#include "privacy/TFormKisiselVeriSorgusu.h"

#include <QAction>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int kIcon = 108;
}

PrivacyCommands::PrivacyCommands(Tdm1 *dm, QWidget *mainWindow)
    : QObject(mainWindow), m_dm(dm), m_mainWindow(mainWindow)
{
    m_action = new QAction(dm ? dm->il_db()->icon(kIcon) : QIcon(), QStringLiteral("Kişisel Veri Sorgusu"), this);
    m_action->setObjectName(QStringLiteral("actkisiselverisorgusu"));
    m_action->setToolTip(QStringLiteral("Kişisel Veri Sorgusu"));
    m_action->setStatusTip(
        QStringLiteral("Bir kişinin bütün konaklamalarını bulur, yazdırır; bitmiş konaklamaların kişisel verilerini siler"));
    connect(m_action, &QAction::triggered, this,
            [this] { ErrorSink::guard([this] { actkisiselverisorgusuExecute(); }); });
}

TFormKisiselVeriSorgusu *PrivacyCommands::window()
{
    if (!m_window)
        m_window = new TFormKisiselVeriSorgusu(m_dm, m_mainWindow);
    return m_window;
}

void PrivacyCommands::actkisiselverisorgusuExecute()
{
    window()->exec();
}

void PrivacyCommands::atFirstShow()
{
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    // Asked over the drawn main window, not before it appears.
    QTimer::singleShot(0, this, [this] { firstShowChecks(); });
}

void PrivacyCommands::firstShowChecks()
{
    ErrorSink::guard([this] {
        if (const QString notice = RegisterFileMode::takePendingNotice(); !notice.isEmpty())
            MessageBoxes::showInformation(m_mainWindow, notice);
    });
    ErrorSink::guard([this] {
        if (m_dm && m_dm->dbMain()->isOpen())
            KeepingPeriod::checkAtStart(m_mainWindow, *m_dm->dbMain());
    });
}
