#include "backup/BackupRestoreDialog.h"

#include "backup/BackupFolder.h"
#include "backup/BackupRestore.h"
#include "backup/ProgramRestart.h"
#include "controls/TVrnHeaderPanel.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "forms/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kBackupIcon = 36;
constexpr int kPathRole = Qt::UserRole;

QString dayText(const QDate &day)
{
    return QLocale().toString(day, QStringLiteral("dd.MM.yyyy dddd"));
}

QString sizeText(qint64 size)
{
    return QLocale().formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

BackupRestoreDialog::BackupRestoreDialog(const QString &registerPath, IconList *icons, QWidget *parent)
    : QDialog(parent), m_registerPath(registerPath), m_restart(&ProgramRestart::startAgainAndQuit)
{
    setObjectName(QStringLiteral("BackupRestoreDialog"));
    setWindowTitle(QStringLiteral("Yedekten Geri Yükle"));
    buildControls(icons);
    reload();
}

void BackupRestoreDialog::buildControls(IconList *icons)
{
    auto *header = new TVrnHeaderPanel(this);
    header->setImages(icons);
    header->setImageIndex(kBackupIcon);
    header->LabelCap()->setText(QStringLiteral("YEDEKTEN GERİ YÜKLE"));

    auto *explanation = new QLabel(
        QStringLiteral("Seçilen günün yedeği kayıt dosyasının yerine konur ve program yeniden başlar. "
                       "Şimdiki kayıt dosyası silinmez, yedek klasöründe şu adla saklanır:\n"
                       "qrt-geri-yukleme-oncesi-<tarih-saat>.db"),
        this);
    explanation->setTextFormat(Qt::PlainText);
    explanation->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("copyList"));
    m_list->setHeaderLabels({QStringLiteral("Yedek Günü"), QStringLiteral("Boyut")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &BackupRestoreDialog::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &BackupRestoreDialog::restoreChosenCopy);

    m_emptyNote = new QLabel(QStringLiteral("Henüz yedek yok. Program her gün ilk açılışında bir yedek alır."), this);
    m_emptyNote->setObjectName(QStringLiteral("emptyNote"));
    m_emptyNote->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    m_restoreButton = buttons->addButton(QStringLiteral("Geri Yükle"), QDialogButtonBox::AcceptRole);
    m_restoreButton->setObjectName(QStringLiteral("btngeriyukle"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("Vazgeç"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnvazgec"));
    disconnect(buttons, &QDialogButtonBox::accepted, this, nullptr);
    connect(m_restoreButton, &QPushButton::clicked, this, &BackupRestoreDialog::restoreChosenCopy);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(explanation);
    body->addWidget(m_list, 1);
    body->addWidget(m_emptyNote);
    body->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addLayout(body, 1);
    resize(460, 380);
}

void BackupRestoreDialog::reload()
{
    m_list->clear();
    for (const BackupCopy &copy : BackupFolder(m_registerPath).copies()) {
        auto *item = new QTreeWidgetItem(m_list, {dayText(copy.day), sizeText(copy.size)});
        item->setData(0, kPathRole, copy.path);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_emptyNote->setVisible(m_list->topLevelItemCount() == 0);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
}

QString BackupRestoreDialog::chosenCopyPath() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->data(0, kPathRole).toString() : QString();
}

void BackupRestoreDialog::updateButtons()
{
    m_restoreButton->setEnabled(!chosenCopyPath().isEmpty());
}

void BackupRestoreDialog::restoreChosenCopy()
{
    const QString copyPath = chosenCopyPath();
    if (copyPath.isEmpty())
        return;
    const QString day = m_list->currentItem()->text(0);
    try {
        BackupRestore::checkCopy(copyPath);
    } catch (const AppError &error) {
        MessageBoxes::showError(this, error.message());
        return;
    }
    if (!MessageBoxes::confirm(this, QStringLiteral("%1 tarihli yedek geri yüklensin mi?\n"
                                                    "O günden sonra girilen kayıtlar bu yedekte yoktur. "
                                                    "Şimdiki kayıt dosyası yedek klasöründe saklanır ve program yeniden başlar.")
                                         .arg(day)))
        return;
    if (m_releaseRegister)
        m_releaseRegister();
    // From here on the register is closed: whatever happens, the program starts again on the
    // file that is in place.
    try {
        BackupRestore::putInPlace(m_registerPath, copyPath, QDateTime::currentDateTime());
    } catch (const AppError &error) {
        MessageBoxes::showError(this, error.message() + QStringLiteral("\nProgram şimdiki kayıt dosyasıyla yeniden başlıyor."));
    }
    accept();
    ErrorSink::guard([this] { m_restart(); });
}
