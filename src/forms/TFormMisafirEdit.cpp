#include "forms/TFormMisafirEdit.h"

#include "controls/DbLookupComboBox.h"
#include "controls/DbRadioGroup.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "db/Query.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/TFrameMisafirEdit.h"
#include "mrz/TFormMrzOku.h"
#include "returning/ReturningGuestBar.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QScreen>
#include <QScopedValueRollback>
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
    m_returningBar = new ReturningGuestBar(this);
    m_frame = new TFrameMisafirEdit(dataModule, this);
    m_frame->setObjectName(QStringLiteral("FrameMisafirEdit1"));
    // The marital status is stored as "B" single and "E" married.
    m_frame->dbrgrpMEDENIDURUM()->setValues({QStringLiteral("B"), QStringLiteral("E")});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_pnl1);
    layout->addWidget(m_returningBar);
    layout->addWidget(m_frame, 1);
    connect(m_returningBar, &ReturningGuestBar::bilgileriGetir, this, [this](const QVariantMap &values) {
        ErrorSink::guard([&] {
            m_frame->alanlariDoldur(values, QStringLiteral("Önceki konaklamadan getirildi; kaydetmeden önce denetleyin."));
        });
    });
    m_formMrzOku = new TFormMrzOku(this);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this), &QShortcut::activated, this,
            &TFormMisafirEdit::kimlikOku);
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
    m_navigator = new DbNavigator(panel);
    m_navigator->setObjectName(QStringLiteral("dbnvgr1"));
    row->addWidget(m_navigator);
    row->addStretch();
    m_btnKimlikOku = new QPushButton(QStringLiteral("Kimlik/Pasaport Oku"), panel);
    m_btnKimlikOku->setObjectName(QStringLiteral("btnKimlikOku"));
    m_btnKimlikOku->setToolTip(QStringLiteral("Pasaportun ya da kimlik kartının makinece okunur alanını okur (Ctrl+M)"));
    m_btnKimlikOku->setFocusPolicy(Qt::NoFocus);
    connect(m_btnKimlikOku, &QPushButton::clicked, this, &TFormMisafirEdit::kimlikOku);
    row->addWidget(m_btnKimlikOku);

    using Button = DbNavigator::Button;
    const auto afterBrowseMode = [this](void (Query::*operation)()) {
        return [this, operation] {
            checkBrowseMode();
            (m_ds1->*operation)();
        };
    };
    m_navigator->setAction(Button::First, afterBrowseMode(&Query::first));
    m_navigator->setAction(Button::Prior, afterBrowseMode(&Query::prior));
    // A record that left the list with its save already has the next one in its place.
    m_navigator->setAction(Button::Next, [this] {
        if (!checkBrowseMode())
            m_ds1->next();
    });
    m_navigator->setAction(Button::Last, afterBrowseMode(&Query::last));
    m_navigator->setAction(Button::Insert, [this] {
        checkBrowseMode();
        m_ds1->insert();
        m_frame->dblkcbbKIMLIKTURU()->setFocus(Qt::OtherFocusReason);
    });
    m_navigator->setAction(Button::Refresh, [this] {
        if (checkBrowseMode())
            closeWhenRecordLeftList();
        m_ds1->refresh();
    });
    m_navigator->setAction(Button::Post, [this] { saveAndStayOnRecord(); });
    return panel;
}

QString TFormMisafirEdit::recordLeftListMessage()
{
    return QStringLiteral("Kayıt kaydedildi; gösterilen listenin dışında kaldığı için pencere kapatılıyor.");
}

void TFormMisafirEdit::setDataSet(Query *query)
{
    m_ds1 = query;
    m_returningBar->setQuery(query);
    updateNavigator();
}

// The zone's fields go into the row and are marked for the operator to check before saving.
void TFormMisafirEdit::kimlikOku()
{
    if (!m_ds1 || !m_frame->isDataSourceEnabled())
        return;
    m_formMrzOku->temizle();
    if (m_formMrzOku->exec() != QDialog::Accepted)
        return;
    ErrorSink::guard([this] {
        m_frame->alanlariDoldur(m_formMrzOku->alanlar(),
                                QStringLiteral("Kimlik/pasaporttan okundu; kaydetmeden önce denetleyin."));
    });
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

// Kaydet saves the row as the navigator does, with the guest validation; a refused save keeps
// the window open on the row, its reason shown.
bool TFormMisafirEdit::FormCloseQuery()
{
    if (!m_ds1 || !isEditingOrSearching(*m_ds1) || !m_frame->rowChanged())
        return true;
    switch (MessageBoxes::askSaveChanges(this)) {
    case MessageBoxes::PendingChanges::Save:
        return ErrorSink::guard([this] {
            m_frame->commitPendingInput();
            m_ds1->post();
        });
    case MessageBoxes::PendingChanges::Discard:
        return true;
    case MessageBoxes::PendingChanges::Stay:
        break;
    }
    return false;
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
    discardPendingEdit();
    m_frame->setFocus(Qt::OtherFocusReason);
    // The editor just left may still have finished an entry into the row: it goes with the rest,
    // so the guest query is never left in editing behind a closed window.
    discardPendingEdit();
    m_frame->dohide();
    // The hidden window no longer follows the opener's query.
    m_frame->setMisafirDataSet(nullptr);
    setDataSet(nullptr);
}

void TFormMisafirEdit::discardPendingEdit()
{
    if (m_ds1 && isEditingOrSearching(*m_ds1))
        m_ds1->cancel();
}

bool TFormMisafirEdit::checkBrowseMode()
{
    m_frame->commitPendingInput();
    if (!isEditingOrSearching(*m_ds1))
        return false;
    if (!m_frame->rowChanged()) {
        m_ds1->cancel();
        return false;
    }
    m_ds1->post();
    return recordLeftList();
}

void TFormMisafirEdit::saveAndStayOnRecord()
{
    // A date being typed belongs to the row that is saved.
    m_frame->commitPendingInput();
    if (!isEditingOrSearching(*m_ds1))
        return;
    m_ds1->post();
    if (recordLeftList())
        closeWhenRecordLeftList();
}

// The list re-reads its rows after every save and finds the saved record again by its key; a
// record it no longer holds is not shown in its place by another one.
bool TFormMisafirEdit::recordLeftList() const
{
    const QVariant saved = m_ds1->postedKey();
    return !saved.isNull() && m_ds1->currentKey() != saved;
}

void TFormMisafirEdit::closeWhenRecordLeftList()
{
    MessageBoxes::showInformation(this, recordLeftListMessage());
    close();
    throw SilentAbort();
}

void TFormMisafirEdit::updateNavigator()
{
    m_navigator->setQuery(m_frame->isDataSourceEnabled() ? m_ds1.data() : nullptr);
    m_btnKimlikOku->setEnabled(m_ds1 && m_frame->isDataSourceEnabled());
}
