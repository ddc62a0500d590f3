#include "forms/TFrameMisafirler.h"

#include "controls/FilterGrid.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "forms/PendingEditQuestion.h"
#include "forms/TFormMisafirCikis.h"
#include "forms/TFormMisafirEdit.h"
#include "gen/FieldSetRoutines.h"
#include "gen/GridFilter.h"
#include "gen/TKimlikRowValidate.h"
#include "gen/TransientMessage.h"
#include "returning/PresentTwiceCheck.h"
#include "transliteration/TransliterationOffer.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kPrintIcon = 13;
}

TFrameMisafirler::TFrameMisafirler(Tdm1 *dataModule, QWidget *parent)
    : TFrameBase(parent), m_dm(dataModule), m_misafirler(dataModule->dbMain())
{
    m_misafirler.setSql(ListStatements(dataModule->dbMain()).guestList());
    for (const char *macro : {"staticfilter", "filter", "having"})
        m_misafirler.setMacro(QLatin1String(macro), QStringLiteral("1"));
    m_misafirler.setUpdateTable(QStringLiteral("MISAFIR"));
    m_misafirler.setRowWindow(true); // a register can hold a million stays
    m_misafirler.onBeforePost = [this](Query &query) { fdqry_misafirlerBeforePost(query); };
    m_misafirler.onAfterPost = [this](Query &query) { fdqry_misafirlerAfterPost(query); };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *pnl3 = new QWidget(this);
    pnl3->setFixedHeight(41);
    auto *top = new QHBoxLayout(pnl3);
    top->setContentsMargins(4, 0, 4, 2);
    m_goster = new QGroupBox(QStringLiteral("Göster"), pnl3);
    m_goster->setFixedWidth(206);
    auto *choices = new QHBoxLayout(m_goster);
    choices->setContentsMargins(6, 0, 6, 0);
    m_konaklayanlar = new QRadioButton(QStringLiteral("Konaklayanlar"), m_goster);
    m_tumu = new QRadioButton(QStringLiteral("Tümü"), m_goster);
    choices->addWidget(m_konaklayanlar);
    choices->addWidget(m_tumu);
    m_gosterGroup = new QButtonGroup(this);
    m_gosterGroup->addButton(m_konaklayanlar, 0);
    m_gosterGroup->addButton(m_tumu, 1);
    // Only a change of the choice reads the list again; a click on the chosen item does nothing.
    connect(m_gosterGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            ErrorSink::guard([this] { onfiltre(); });
    });
    top->addWidget(m_goster);
    top->addStretch();
    m_print = new QPushButton(QStringLiteral("Listeyi Yazdır"), pnl3);
    m_print->setMinimumWidth(104); // wider where the font needs it
    if (m_dm && m_dm->il_db())
        m_print->setIcon(m_dm->il_db()->icon(kPrintIcon));
    connect(m_print, &QPushButton::clicked, this, [this] { ErrorSink::guard([this] { gridyazdir(); }); });
    top->addWidget(m_print);
    layout->addWidget(pnl3);

    m_grid = new FilterGrid(this);
    m_grid->setTitleHeight(24);
    m_grid->setDefaultRowHeight(18);
    m_grid->setAlternatingRowColors(false);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setWordWrap(true);
    m_grid->setReadOnly(true);
    m_grid->setTitleSort(true);
    m_grid->setKeyFieldName(QStringLiteral("IDMISAFIR"));
    connect(m_grid, &FilterGrid::filterChanged, this, &TFrameMisafirler::smdbgrd_misafirFilterChanged);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { ErrorSink::guard([this] { misafireditac(); }); });
    layout->addWidget(m_grid, 1);
}

void TFrameMisafirler::setWindows(TFormMisafirEdit *entry, TFormMisafirCikis *checkOut)
{
    m_entry = entry;
    m_checkOut = checkOut;
}

void TFrameMisafirler::doshow()
{
    if (!m_doneFirst) {
        m_grid->setQuery(&m_misafirler);
        if (m_dm->FDT())
            m_mainFieldset = applyFieldSetFirstShow(*m_dm->FDT(), QStringLiteral("MISAFIR"), m_misafirler, m_grid);
        m_doneFirst = true;
    }
    chooseKonaklayanlar();
    // Each showing starts with the guests staying today and an empty filter bar.
    if (m_grid->hasFilterText())
        m_grid->clearFilters();
    if (!m_misafirler.isOpen())
        m_misafirler.open();
}

bool TFrameMisafirler::resolvePendingEdit()
{
    return PendingEditQuestion(this, {&m_misafirler}).resolve();
}

void TFrameMisafirler::dohide()
{
    m_misafirler.close();
}

// Choosing runs onfiltre through the group when the choice changes.
void TFrameMisafirler::chooseKonaklayanlar()
{
    m_konaklayanlar->setChecked(true);
}

void TFrameMisafirler::onfiltre()
{
    m_misafirler.close();
    if (m_konaklayanlar->isChecked())
        makroSartAta(m_misafirler, QStringLiteral("staticfilter"), QString::fromLatin1(kKonaklayanlar));
    else if (m_tumu->isChecked())
        makroSartAta(m_misafirler, QStringLiteral("staticfilter"), QStringLiteral("1"));
    m_misafirler.open();
}

void TFrameMisafirler::smdbgrd_misafirFilterChanged()
{
    filtreDegisti(m_misafirler, m_mainFieldset, m_grid->filterColumns());
}

// Every save of a stay, from whichever window, passes the guest validation: a failure is shown
// briefly, the focus goes to the field concerned and the row stays in editing.
void TFrameMisafirler::fdqry_misafirlerBeforePost(Query &query)
{
    TKimlikRowValidate validator;
    validator.Fields = &query;
    if (validator.isvalid()) {
        // Then what the notification file can hold, and the same person in two rooms at once.
        QWidget *parent = m_entry && m_entry->isVisible() ? static_cast<QWidget *>(m_entry) : this;
        const auto focus = [this](Field *field) { if (m_entry) m_entry->focusField(field); };
        if (!TransliterationOffer::allowSave(query, parent, focus) || !PresentTwiceCheck::allowSave(query, parent))
            throw SilentAbort();
        return;
    }
    if (validator.LastErrorField() && m_entry)
        m_entry->focusField(validator.LastErrorField());
    mesajGoster(validator.LastErrorMsg(), QString());
    throw SilentAbort();
}

void TFrameMisafirler::fdqry_misafirlerAfterPost(Query &query)
{
    query.refresh();
}

void TFrameMisafirler::misafireditac()
{
    if (!m_entry)
        return;
    m_entry->setDataSet(&m_misafirler);
    m_entry->exec();
}

void TFrameMisafirler::yenigiris()
{
    if (!m_misafirler.isOpen())
        m_misafirler.open();
    m_misafirler.insert();
    misafireditac();
}

void TFrameMisafirler::yenicikis()
{
    chooseKonaklayanlar();
    if (m_checkOut && m_checkOut->exec() == QDialog::Accepted)
        m_misafirler.refresh();
}

void TFrameMisafirler::gridyazdir()
{
    m_dm->gridyazdir(m_grid, QStringLiteral("Kişi Listesi"));
}
