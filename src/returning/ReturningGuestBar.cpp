#include "returning/ReturningGuestBar.h"

#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

bool isKeyColumn(const Field *field)
{
    if (!field)
        return false;
    const QString &name = field->name();
    return name.compare(QLatin1String("TCNO"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("KIMLIKSERINO"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("UYRUGU"), Qt::CaseInsensitive) == 0;
}

} // namespace

ReturningGuestBar::ReturningGuestBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("ReturningGuestBar"));
    // A pale information strip, apart from the yellow of the required fields.
    setStyleSheet(QStringLiteral("#ReturningGuestBar { background-color: rgb(222, 236, 250); "
                                 "border-bottom: 1px solid rgb(120, 160, 205); }"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 3, 4, 3);
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    row->addWidget(icon);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblOncekiKonaklama"));
    m_label->setWordWrap(true);
    row->addWidget(m_label, 1);
    m_bring = new QPushButton(QStringLiteral("Bilgileri &getir"), this);
    m_bring->setObjectName(QStringLiteral("btnBilgileriGetir"));
    m_bring->setToolTip(QStringLiteral("Kimlik, nüfus, adres, meslek ve plaka bilgilerini son konaklamadan getirir; "
                                       "geliş, ayrılış, oda ve notlara dokunmaz."));
    row->addWidget(m_bring);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("btnKapat"));
    m_close->setAutoRaise(true);
    m_close->setText(QStringLiteral("✕"));
    m_close->setToolTip(QStringLiteral("Kapat"));
    row->addWidget(m_close);
    connect(m_bring, &QPushButton::clicked, this, &ReturningGuestBar::bring);
    connect(m_close, &QToolButton::clicked, this, &ReturningGuestBar::dismiss);
    hide();
}

void ReturningGuestBar::setQuery(Query *query)
{
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    onRowLeft();
    if (!query)
        return;
    connect(query, &Query::fieldChanged, this, &ReturningGuestBar::onFieldChanged);
    connect(query, &Query::stateChanged, this, [this] {
        if (!m_query || m_query->state() != Query::State::Insert)
            onRowLeft();
    });
    connect(query, &Query::currentRowChanged, this, &ReturningGuestBar::onRowLeft);
}

QString ReturningGuestBar::text() const
{
    return m_label->text();
}

void ReturningGuestBar::onFieldChanged(Field *field)
{
    if (isKeyColumn(field))
        ErrorSink::guard([this] { lookUp(); });
}

void ReturningGuestBar::onRowLeft()
{
    m_lastKey = {};
    m_stay.reset();
    m_settledStayId = 0;
    hide();
}

// Only a new stay is looked up: an existing one already belongs to its person.
void ReturningGuestBar::lookUp()
{
    if (!m_query || m_query->state() != Query::State::Insert)
        return;
    const PersonKey key = PersonKey::of(*m_query);
    if (key == m_lastKey)
        return;
    m_lastKey = key;
    m_stay = ReturningGuestLookup::find(*m_query->database(), key);
    if (!m_stay || m_stay->id == m_settledStayId) {
        m_stay.reset();
        hide();
        return;
    }
    m_label->setText(ReturningGuestLookup::notice(*m_stay));
    show();
}

void ReturningGuestBar::bring()
{
    if (!m_stay)
        return;
    const QVariantMap values = m_stay->values;
    dismiss();
    emit bilgileriGetir(values);
}

void ReturningGuestBar::dismiss()
{
    if (m_stay)
        m_settledStayId = m_stay->id;
    m_stay.reset();
    hide();
}
