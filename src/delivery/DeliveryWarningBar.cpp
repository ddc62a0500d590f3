#include "delivery/DeliveryWarningBar.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "delivery/DeliveryGaps.h"
#include "delivery/NotificationLedger.h"

#include <QApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace {
// Often enough that the bar notices the new day soon after midnight.
constexpr int kRecheckMs = 10 * 60 * 1000;
} // namespace

DeliveryWarningBar::DeliveryWarningBar(Database *db, QWidget *parent)
    : QFrame(parent),
      m_db(db),
      m_message(new QLabel(this)),
      m_export(new QPushButton(QStringLiteral("XML Kaydet"), this)),
      m_details(new QPushButton(QStringLiteral("Ayrıntılar"), this)),
      m_dayWatch(new QTimer(this))
{
    setObjectName(QStringLiteral("pnl_bildirimuyari"));
    // Its own colours, so the program's theme cannot make the warning blend in.
    setStyleSheet(QStringLiteral("#pnl_bildirimuyari { background: #fff3cd; border: 1px solid #e0a800; }"
                                 "#pnl_bildirimuyari QLabel { color: #5c3c00; background: transparent; }"));
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24, 24));
    m_message->setObjectName(QStringLiteral("lbl_bildirimuyari"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_export->setObjectName(QStringLiteral("btn_uyarixmlkaydet"));
    m_details->setObjectName(QStringLiteral("btn_uyariayrinti"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(icon);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_export);
    layout->addWidget(m_details);

    connect(m_export, &QPushButton::clicked, this, &DeliveryWarningBar::exportRequested);
    connect(m_details, &QPushButton::clicked, this, &DeliveryWarningBar::detailsRequested);
    connect(&NotificationLedger::instance(), &NotificationLedger::recorded, this, &DeliveryWarningBar::refresh);
    connect(m_dayWatch, &QTimer::timeout, this, &DeliveryWarningBar::refresh);
    m_dayWatch->start(kRecheckMs);
    hide();
}

void DeliveryWarningBar::refresh()
{
    if (!m_db || !m_db->isOpen()) {
        hide();
        return;
    }
    QString text;
    try {
        const QList<DeliveryGaps::Gap> gaps = DeliveryGaps::find(*m_db, QDate::currentDate());
        if (!gaps.isEmpty())
            text = DeliveryGaps::describe(gaps);
    } catch (const AppError &error) {
        text = QStringLiteral("Bildirim durumu okunamadı: %1").arg(error.message());
    }
    m_message->setText(text);
    setVisible(!text.isEmpty());
}
