#include "app/TAboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Hakkında"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("Selvane"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("Sürüm %1").arg(QStringLiteral(SELVANE_VERSION)), this));
    auto *description = new QLabel(
        QStringLiteral("Küçük konaklama işletmeleri için misafir kayıt programı.\n\n"
                       "Tesisleri ve odaları tanımlar, misafirlerin kimlik bilgilerini kaydeder, "
                       "çıkışlarını işler, listeler ve yazdırır. Her gün, etkin her tesis için "
                       "kimlik bildirim XML dosyasını Emniyet (AKBS) veya Jandarma (JKBS) "
                       "programının izlediği klasöre yazar."),
        this);
    description->setWordWrap(true);
    description->setMinimumWidth(380);
    layout->addWidget(description);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Tamam"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
