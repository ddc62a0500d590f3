#include "forms/TFormMisafirEdit.h"

#include "controls/DbLookupComboBox.h"
#include "controls/DbRadioGroup.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/Tdm1.h"
#include "db/ErrorSink.h"
#include "db/Query.h"
#include "forms/MessageBoxes.h"
#include "forms/TFrameMisafirEdit.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHeaderIcon = 108;
constexpr int kNavigatorHeight = 30;

bool isEditingOrSearching(const Query &query)
{
    return query.isEditing() || query.state() == Query::State::SetKey;
}

} // namespace

TFormMisafirEdit::TFormMisafirEdit(Tdm1 *dataModule, QWidget *parent) : TMyformbase(parent)
{
    setObjectName(QStringLiteral("FormMisafirEdit"));
    setWindowTitle(QStringLiteral("Misafir Düzenleme"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    m_header = new TVrnHeaderPanel(this);
    m_header->setObjectName(QStringLiteral("VrnHeaderPanel1"));
    m_header->setImages(dataModule->il_db());
    m_header->setImageIndex(kHeaderIcon);
    m_header->LabelCap()->setText(QStringLiteral("MİSAFİR KAYDI"));

    m_pnl1 = buildNavigator();
    m_frame = new TFrameMisafirEdit(dataModule, this);
    m_frame->setObjectName(QStringLiteral("FrameMisafirEdit1"));
    // The marital status is stored as "B" single and "E" married.
    m_frame->dbrgrpMEDENIDURUM()->setValues({QStringLiteral("B"), QStringLiteral("E")});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_pnl1);
    layout->addWidget(m_frame, 1);
    setFixedSize(kClientWidth, kClientHeight);
    updateNavigator();
}

QFrame *TFormMisafirEdit::buildNavigator()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnl1"));
    panel->setFixedHeight(kNavigatorHeight);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(1);
    m_first = navigatorButton("dbnvgr1First", QStringLiteral("|◀"), QStringLiteral("İlk kayıt"), &TFormMisafirEdit::dbnvgr1FirstClick);
    m_prior = navigatorButton("dbnvgr1Prior", QStringLiteral("◀"), QStringLiteral("Önceki kayıt"), &TFormMisafirEdit::dbnvgr1PriorClick);
    m_next = navigatorButton("dbnvgr1Next", QStringLiteral("▶"), QStringLiteral("Sonraki kayıt"), &TFormMisafirEdit::dbnvgr1NextClick);
    m_last = navigatorButton("dbnvgr1Last", QStringLiteral("▶|"), QStringLiteral("Son kayıt"), &TFormMisafirEdit::dbnvgr1LastClick);
    m_insert = navigatorButton("dbnvgr1Insert", QStringLiteral("+"), QStringLiteral("Yeni kayıt"), &TFormMisafirEdit::dbnvgr1InsertClick);
    m_delete = navigatorButton("dbnvgr1Delete", QStringLiteral("−"), QStringLiteral("Kaydı sil"), &TFormMisafirEdit::dbnvgr1DeleteClick);
    m_edit = navigatorButton("dbnvgr1Edit", QStringLiteral("▲"), QStringLiteral("Kaydı düzenle"), &TFormMisafirEdit::dbnvgr1EditClick);
    m_post = navigatorButton("dbnvgr1Post", QStringLiteral("✔"), QStringLiteral("Kaydet"), &TFormMisafirEdit::dbnvgr1PostClick);
    m_cancel = navigatorButton("dbnvgr1Cancel", QStringLiteral("✘"), QStringLiteral("Vazgeç"), &TFormMisafirEdit::dbnvgr1CancelClick);
    m_refresh = navigatorButton("dbnvgr1Refresh", QStringLiteral("↻"), QStringLiteral("Yenile"), &TFormMisafirEdit::dbnvgr1RefreshClick);
    for (QToolButton *button : {m_first, m_prior, m_next, m_last, m_insert, m_delete, m_edit, m_post, m_cancel, m_refresh})
        row->addWidget(button);
    row->addStretch(1);
    return panel;
}

QToolButton *TFormMisafirEdit::navigatorButton(const char *name, const QString &glyph, const QString &hint,
                                                void (TFormMisafirEdit::*click)())
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(glyph);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAutoRaise(true);
    button->setFixedSize(34, kNavigatorHeight - 4);
    // A click leaves the focus in the editor, as the toolkit's navigator does.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, click);
    return button;
}

void TFormMisafirEdit::setDataSet(Query *query)
{
    if (m_ds1)
        disconnect(m_ds1, nullptr, this, nullptr);
    m_ds1 = query;
    if (query) {
        for (auto signal : {&Query::stateChanged, &Query::opened, &Query::closed, &Query::rowsReordered})
            connect(query, signal, this, &TFormMisafirEdit::updateNavigator);
        connect(query, &Query::currentRowChanged, this, &TFormMisafirEdit::updateNavigator);
        connect(query, &Query::rowInserted, this, &TFormMisafirEdit::updateNavigator);
        connect(query, &Query::rowRemoved, this, &TFormMisafirEdit::updateNavigator);
        connect(query, &Query::rowsLoaded, this, &TFormMisafirEdit::updateNavigator);
    }
    updateNavigator();
}

bool TFormMisafirEdit::focusField(const Field *field)
{
    return m_frame->focusField(field);
}

void TFormMisafirEdit::FormShow()
{
    centreOnScreen();
    m_frame->setMisafirDataSet(m_ds1);
    m_frame->doshow();
    m_frame->dblkcbbKIMLIKTURU()->setFocus(Qt::OtherFocusReason);
    updateNavigator();
}

void TFormMisafirEdit::centreOnScreen()
{
    if (const QScreen *display = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TFormMisafirEdit::FormCloseQuery()
{
    if (!m_ds1 || !isEditingOrSearching(*m_ds1) || !m_frame->rowChanged())
        return true;
    return MessageBoxes::confirm(this, QStringLiteral("Değişiklikler kaydedilmeden kapatılsın mı?"));
}

void TFormMisafirEdit::closeEvent(QCloseEvent *event)
{
    if (!m_closeApproved && isVisible() && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    const QScopedValueRollback approved(m_closeApproved, true);
    TMyformbase::closeEvent(event);
}

void TFormMisafirEdit::done(int result)
{
    if (!m_closeApproved && isVisible() && !FormCloseQuery())
        return;
    const QScopedValueRollback approved(m_closeApproved, true);
    TMyformbase::done(result);
}

void TFormMisafirEdit::FormClose()
{
    if (m_ds1 && isEditingOrSearching(*m_ds1))
        m_ds1->cancel();
    m_frame->setFocus(Qt::OtherFocusReason);
    m_frame->dohide();
    // The hidden window no longer follows the opener's query.
    m_frame->setMisafirDataSet(nullptr);
    setDataSet(nullptr);
}

void TFormMisafirEdit::checkBrowseMode()
{
    m_frame->commitPendingInput();
    if (!isEditingOrSearching(*m_ds1))
        return;
    if (m_frame->rowChanged())
        m_ds1->post();
    else
        m_ds1->cancel();
}

void TFormMisafirEdit::dbnvgr1FirstClick()
{
    ErrorSink::guard([this] {
        checkBrowseMode();
        m_ds1->first();
    });
}

void TFormMisafirEdit::dbnvgr1PriorClick()
{
    ErrorSink::guard([this] {
        checkBrowseMode();
        m_ds1->prior();
    });
}

void TFormMisafirEdit::dbnvgr1NextClick()
{
    ErrorSink::guard([this] {
        checkBrowseMode();
        m_ds1->next();
    });
}

void TFormMisafirEdit::dbnvgr1LastClick()
{
    ErrorSink::guard([this] {
        checkBrowseMode();
        m_ds1->last();
    });
}

void TFormMisafirEdit::dbnvgr1InsertClick()
{
    ErrorSink::guard([this] {
        checkBrowseMode();
        m_ds1->insert();
        m_frame->dblkcbbKIMLIKTURU()->setFocus(Qt::OtherFocusReason);
    });
}

void TFormMisafirEdit::dbnvgr1DeleteClick()
{
    ErrorSink::guard([this] {
        if (MessageBoxes::confirm(this, QStringLiteral("Kayıt silinsin mi?")))
            m_ds1->remove();
    });
}

void TFormMisafirEdit::dbnvgr1EditClick()
{
    ErrorSink::guard([this] { m_ds1->edit(); });
}

void TFormMisafirEdit::dbnvgr1PostClick()
{
    ErrorSink::guard([this] {
        m_frame->commitPendingInput();
        m_ds1->post();
    });
}

void TFormMisafirEdit::dbnvgr1CancelClick()
{
    ErrorSink::guard([this] { m_ds1->cancel(); });
}

void TFormMisafirEdit::dbnvgr1RefreshClick()
{
    ErrorSink::guard([this] {
        checkBrowseMode();
        m_ds1->refresh();
    });
}

// The buttons follow the state of the row, as the toolkit's navigator does. Without rooms the
// editors are disabled and so is the navigator: the operator can only close the window.
void TFormMisafirEdit::updateNavigator()
{
    Query *query = m_ds1;
    const bool usable = query && query->isOpen() && m_frame->isDataSourceEnabled();
    const bool editing = usable && isEditingOrSearching(*query);
    const bool writable = usable && !query->isReadOnly();
    const bool hasRows = usable && query->loadedCount() > 0;
    const bool canGoUp = hasRows && query->row() > 0;
    const bool canGoDown = hasRows && (query->row() < query->loadedCount() - 1 || !query->isFullyLoaded());
    m_first->setEnabled(canGoUp);
    m_prior->setEnabled(canGoUp);
    m_next->setEnabled(canGoDown);
    m_last->setEnabled(canGoDown);
    m_insert->setEnabled(writable);
    m_delete->setEnabled(writable && hasRows);
    m_edit->setEnabled(writable && hasRows && !editing);
    m_post->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_refresh->setEnabled(usable && !editing);
}
