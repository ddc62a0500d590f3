#include "privacy/KeepingPeriodField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

QLineEdit *KeepingPeriodField::addTo(QGridLayout &grid, int row, QWidget *area)
{
    auto *label = new QLabel(QString::fromUtf8(kCaption), area);
    auto *edit = new QLineEdit(area);
    edit->setObjectName(QStringLiteral("dbedtSAKLAMASURESI"));
    edit->setValidator(new QIntValidator(1, 99, edit));
    edit->setMaxLength(2);
    edit->setFixedWidth(60);
    edit->setToolTip(QStringLiteral("Ayrılıştan bu kadar yıl sonra konaklamanın kişisel verileri silinmek üzere sorulur."));
    label->setBuddy(edit);
    auto *note = new QLabel(QStringLiteral("Boş bırakılırsa kişisel veriler süresiz saklanır."), area);
    note->setEnabled(false);
    auto *line = new QHBoxLayout;
    line->addWidget(edit);
    line->addWidget(note, 1);
    grid.addWidget(label, row, 0, 1, 2);
    grid.addLayout(line, row + 1, 0, 1, 2);
    return edit;
}
