#include "forms/TFrameTesisler.h"

#include "controls/DbGrid.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/EditorBinding.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "forms/DbNavigator.h"
#include "forms/MessageBoxes.h"
#include "forms/PendingEditQuestion.h"
#include "forms/TMyformbase.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kFacilitiesSql = QStringLiteral("SELECT * FROM TESISLER ORDER BY TESISADI");
// The rooms of the current facility: the master link binds its IDTESISLER to the parameter.
// ODAEVNO is text, so "10" comes before "2".
const QString kRoomsSql = QStringLiteral(
    "SELECT ODAEV.* FROM ODAEV LEFT JOIN TESISLER ON ODAEV._IDTESISLER=TESISLER.IDTESISLER"
    " WHERE ODAEV._IDTESISLER=:IDTESISLER ORDER BY ODAEVNO");

const QString kHasDependents = QStringLiteral("Bu kayda ilişkili/ait kayıtlar mevcut. Silinemez.");
const QString kAskDeleteFacility = QStringLiteral("Bu tesis kaydını silmek istediğinizden emin misiniz?");
const QString kAskDeleteRoom = QStringLiteral("Bu oda/ev kaydını silmek istediğinizden emin misiniz?");

// The facility navigator's hints in button order; the last two would belong to the buttons
// that send or drop cached changes, which this navigator has not.
const QStringList kFacilityNavigatorHints = {
    QStringLiteral("İlk Kayıt"),           QStringLiteral("Önceki Kayıt"),
    QStringLiteral("Sonraki Kayıt"),       QStringLiteral("Son record"),
    QStringLiteral("Yeni Kayıt"),          QStringLiteral("Kaydı Sil"),
    QStringLiteral("Kaydı Düzenle"),       QStringLiteral("Düzenlemeyi Kaydet"),
    QStringLiteral("Düzenlemeden Vazgeç"), QStringLiteral("Kayıtları Yenile"),
    QStringLiteral("Değişiklikleri Gönder"), QStringLiteral("Değişikliklerden Vazgeç")};

constexpr int kListWidth = 217;
constexpr int kListNameWidth = 110;
constexpr int kRoomNumberWidth = 152;
constexpr int kRoomTextWidth = 262;
// The editors stand in two columns, the left one at 8 pixels, the right one at 232.
constexpr int kEditorMargin = 8;
constexpr int kColumnGap = 20;
constexpr int kWideEditor = 204;
constexpr int kCodeEditor = 104;
constexpr int kAddressEditor = 429;
constexpr int kPhoneEditor = 154;

QLineEdit *lineEditor(const char *fieldName, int width, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("dbedt") + QLatin1String(fieldName));
    edit->setFixedWidth(width);
    return edit;
}

// An editor with its caption above it.
QWidget *labelled(const QString &caption, QWidget *editor, QWidget *parent)
{
    auto *cell = new QWidget(parent);
    auto *layout = new QVBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *label = new QLabel(caption, cell);
    label->setBuddy(editor);
    layout->addWidget(label);
    layout->addWidget(editor, 0, Qt::AlignLeft);
    return cell;
}

// One line of text per row, as high as a cell editor needs.
void useSingleLineRows(DbGrid *grid)
{
    grid->setWordWrap(false);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
}

GridColumn column(const char *fieldName, const QString &title, bool readOnly)
{
    GridColumn gridColumn;
    gridColumn.fieldName = QLatin1String(fieldName);
    gridColumn.title = title;
    gridColumn.readOnly = readOnly;
    return gridColumn;
}

} // namespace

TFrameTesisler::TFrameTesisler(Tdm1 *dm, QWidget *parent)
    : TFrameBase(parent), m_dm(dm), m_tesisler(dm->dbMain(), this), m_odaev(dm->dbMain(), this),
      m_binding(new EditorBinding(this))
{
    setObjectName(QStringLiteral("FrameTesisler"));
    setupQueries();
    buildControls();
    m_binding->setQuery(&m_tesisler);
    for (const char *field : {"TESISADI", "TESISKODU", "TESISYETKILISI", "TESISIL", "TESISILCE", "TESISADRES",
                              "TESISTELEFON"})
        m_binding->bind(findChild<QLineEdit *>(QStringLiteral("dbedt") + QLatin1String(field)), QLatin1String(field));
    bindRegionChoice();
    m_binding->bind(findChild<QCheckBox *>(QStringLiteral("dbchkTESISAKTIF")), QStringLiteral("TESISAKTIF"));
}

void TFrameTesisler::setupQueries()
{
    m_tesisler.setObjectName(QStringLiteral("fdqry_tesisler"));
    m_tesisler.setSql(kFacilitiesSql);
    m_tesisler.onNewRecord = [this](Query &query) { fdqry_tesislerNewRecord(query); };
    m_tesisler.onBeforeDelete = [this](Query &query) { fdqry_tesislerBeforeDelete(query); };

    m_odaev.setObjectName(QStringLiteral("fdqry_odaev"));
    m_odaev.setSql(kRoomsSql);
    m_odaev.onNewRecord = [this](Query &query) { fdqry_odaevNewRecord(query); };
    m_odaev.onBeforeDelete = [this](Query &query) { fdqry_odaevBeforeDelete(query); };

    // The room query is read again whenever its facility moves or is saved, which would drop a
    // room still being typed; it is saved first. Connected before the master link, so that it
    // runs before the room query follows.
    connect(&m_tesisler, &Query::currentRowChanged, this, &TFrameTesisler::bekleyenOdayiKaydet);
    connect(&m_tesisler, &Query::rowUpdated, this, &TFrameTesisler::bekleyenOdayiKaydet);
    m_odaev.setMaster(&m_tesisler, {QStringLiteral("IDTESISLER")});
}

void TFrameTesisler::buildControls()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(buildFacilityList());
    layout->addWidget(buildDetails(), 1);
}

QGroupBox *TFrameTesisler::buildFacilityList()
{
    auto *box = new QGroupBox(QStringLiteral("Tesisler"), this);
    box->setObjectName(QStringLiteral("grp1"));
    box->setFixedWidth(kListWidth);
    m_list = new DbGrid(box);
    m_list->setObjectName(QStringLiteral("dbgrd_list"));
    m_list->setQuery(&m_tesisler);
    m_list->clearColumns();
    m_list->addColumn(column("TESISADI", QStringLiteral("TESIS ADI"), true));
    m_list->addColumn(column("TESISKODU", QStringLiteral("TESIS KODU"), true));
    m_list->setColumnWidth(0, kListNameWidth);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    useSingleLineRows(m_list);
    m_list->installEventFilter(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_list);
    return box;
}

QGroupBox *TFrameTesisler::buildDetails()
{
    auto *box = new QGroupBox(QStringLiteral("Tesis Detayı"), this);
    box->setObjectName(QStringLiteral("grp2"));
    m_pages = new QTabWidget(box);
    m_pages->setObjectName(QStringLiteral("pgc1"));
    m_detailsPage = buildDetailsPage();
    m_roomsPage = buildRoomsPage();
    m_pages->addTab(m_detailsPage, QStringLiteral("Tesis Kaydı"));
    m_pages->addTab(m_roomsPage, QStringLiteral("Tesisin Oda/Ev Tanımları"));
    m_pages->setCurrentIndex(0);
    connect(m_pages, &QTabWidget::currentChanged, this, &TFrameTesisler::onPageChanged);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pages);
    return box;
}

QWidget *TFrameTesisler::buildDetailsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_bilgi"));
    m_facilityNavigator = new DbNavigator(page);
    m_facilityNavigator->setObjectName(QStringLiteral("dbnvgr1"));
    m_facilityNavigator->setQuery(&m_tesisler);
    m_facilityNavigator->setHints(kFacilityNavigatorHints);
    m_facilityNavigator->setAction(DbNavigator::Button::Delete, [this] { kayitSil(m_tesisler); });
    // After "+" the operator types the new facility's name at once.
    connect(m_facilityNavigator, &DbNavigator::clicked, this, [this](DbNavigator::Button button) {
        if (button == DbNavigator::Button::Insert)
            if (QWidget *name = editorFor(QStringLiteral("TESISADI")))
                name->setFocus();
    });

    auto *scroller = new QScrollArea(page);
    scroller->setObjectName(QStringLiteral("scrlbx1"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(buildFacilityEditors());

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_facilityNavigator);
    layout->addWidget(scroller, 1);
    return page;
}

QWidget *TFrameTesisler::buildFacilityEditors()
{
    auto *area = new QWidget;
    QLineEdit *name = lineEditor("TESISADI", kWideEditor, area);
    QLineEdit *code = lineEditor("TESISKODU", kCodeEditor, area);
    // The code is a whole number; digits only, few enough to fit the column's integer.
    code->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), code));
    QLineEdit *person = lineEditor("TESISYETKILISI", kWideEditor, area);
    QLineEdit *province = lineEditor("TESISIL", kWideEditor, area);
    QLineEdit *district = lineEditor("TESISILCE", kWideEditor, area);
    QLineEdit *address = lineEditor("TESISADRES", kAddressEditor, area);
    QLineEdit *phone = lineEditor("TESISTELEFON", kPhoneEditor, area);
    QWidget *region = buildRegionChoice();
    region->setParent(area);
    auto *active = new QCheckBox(QStringLiteral("AKTIF"), area);
    active->setObjectName(QStringLiteral("dbchkTESISAKTIF"));

    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(kEditorMargin, kEditorMargin, kEditorMargin, kEditorMargin);
    grid->setHorizontalSpacing(kColumnGap);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(0, kWideEditor);
    grid->setColumnMinimumWidth(1, kAddressEditor - kWideEditor - kColumnGap);
    grid->setColumnStretch(2, 1);
    const Qt::Alignment cellAlignment = Qt::AlignLeft | Qt::AlignBottom;
    grid->addWidget(labelled(QStringLiteral("ADI"), name, area), 0, 0, cellAlignment);
    grid->addWidget(labelled(QStringLiteral("TESIS KODU"), code, area), 0, 1, cellAlignment);
    grid->addWidget(labelled(QStringLiteral("YETKILISI"), person, area), 1, 0, cellAlignment);
    grid->addWidget(region, 1, 1, cellAlignment);
    grid->addWidget(labelled(QStringLiteral("IL"), province, area), 2, 0, cellAlignment);
    grid->addWidget(labelled(QStringLiteral("ILCE"), district, area), 2, 1, cellAlignment);
    grid->addWidget(labelled(QStringLiteral("ADRES"), address, area), 3, 0, 1, 2, cellAlignment);
    grid->addWidget(labelled(QStringLiteral("TELEFON"), phone, area), 4, 0, cellAlignment);
    grid->addWidget(active, 4, 1, cellAlignment);
    grid->setRowStretch(5, 1);

    // Tab order: the left column's fields first, then region and active status.
    const auto radios = m_regionChoice->buttons();
    QWidgetList order{name, code, person, province, district, address, phone};
    for (QAbstractButton *radio : radios)
        order << radio;
    order << active;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Enter in the facility's text editors moves on to the next field, as in the other windows.
    for (QLineEdit *edit : {name, code, person, province, district, address, phone})
        edit->installEventFilter(this);
    return area;
}

QWidget *TFrameTesisler::buildRegionChoice()
{
    m_regionBox = new QGroupBox(QStringLiteral("BÖLGE"));
    m_regionBox->setObjectName(QStringLiteral("dbrgrpTESISBOLGE"));
    m_regionBox->setFixedWidth(kWideEditor);
    m_regionChoice = new QButtonGroup(m_regionBox);
    auto *layout = new QHBoxLayout(m_regionBox);
    layout->setContentsMargins(8, 2, 8, 4);
    const auto addChoice = [&](const QString &caption, const QString &stored, const char *name) {
        auto *radio = new QRadioButton(caption, m_regionBox);
        radio->setObjectName(QLatin1String(name));
        radio->setProperty("stored", stored);
        m_regionChoice->addButton(radio);
        layout->addWidget(radio, 1);
    };
    addChoice(QStringLiteral("POLİS"), QStringLiteral("P"), "rbPolis");
    addChoice(QStringLiteral("JANDARMA"), QStringLiteral("J"), "rbJandarma");
    return m_regionBox;
}

// The region is a choice of two that stores a letter; a facility without a region shows
// neither chosen.
void TFrameTesisler::bindRegionChoice()
{
    QButtonGroup *choice = m_regionChoice;
    m_binding->bindCustom(
        m_regionBox, QStringLiteral("TESISBOLGE"),
        [choice](QWidget *, const Field &field) {
            const QString stored = field.asString();
            choice->setExclusive(false);
            for (QAbstractButton *radio : choice->buttons())
                radio->setChecked(!stored.isEmpty() && radio->property("stored").toString() == stored);
            choice->setExclusive(true);
        },
        [choice](QWidget *, Field &field) {
            if (QAbstractButton *checked = choice->checkedButton())
                field.setValue(checked->property("stored").toString());
            else
                field.clear();
        });
    connect(choice, &QButtonGroup::buttonClicked, this, [this] { m_binding->editorChanged(m_regionBox); });
}

QWidget *TFrameTesisler::buildRoomsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_odalar"));
    m_roomNavigator = new DbNavigator(page);
    m_roomNavigator->setObjectName(QStringLiteral("dbnvgr2"));
    m_roomNavigator->setQuery(&m_odaev);
    m_roomNavigator->setAction(DbNavigator::Button::Delete, [this] { kayitSil(m_odaev); });

    m_rooms = new DbGrid(page);
    m_rooms->setObjectName(QStringLiteral("dbgrd1"));
    m_rooms->setQuery(&m_odaev);
    m_rooms->clearColumns();
    m_rooms->addColumn(column("ODAEVNO", QStringLiteral("ODA/EV NO"), false));
    m_rooms->addColumn(column("ODAEVACIKLAMA", QStringLiteral("ODA/EV ACIKLAMA"), false));
    m_rooms->setColumnWidth(0, kRoomNumberWidth);
    m_rooms->setColumnWidth(1, kRoomTextWidth);
    m_rooms->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    useSingleLineRows(m_rooms);
    m_rooms->installEventFilter(this);
    // The navigator's buttons take no focus; after "+" or the edit button the keys go to the
    // current row's first cell, where the operator expects to type the room number.
    connect(m_roomNavigator, &DbNavigator::clicked, this, [this](DbNavigator::Button button) {
        if (button != DbNavigator::Button::Insert && button != DbNavigator::Button::Edit)
            return;
        m_rooms->setCurrentIndex(m_rooms->model()->index(qMax(m_rooms->currentIndex().row(), 0), 0));
        m_rooms->setFocus();
    });

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_roomNavigator);
    layout->addWidget(m_rooms, 1);
    return page;
}

QWidget *TFrameTesisler::editorFor(const QString &fieldName) const
{
    return m_binding->editorFor(fieldName);
}

void TFrameTesisler::doshow()
{
    m_tesisler.open();
    m_odaev.open();
    if (!m_prepared)
        prepareOnFirstShow();
}

// The room first: saving the facility reads its rooms again.
bool TFrameTesisler::resolvePendingEdit()
{
    return PendingEditQuestion(this, {&m_odaev, &m_tesisler}).resolve();
}

void TFrameTesisler::dohide()
{
    m_odaev.close();
    m_tesisler.close();
}

// The text editors take no more characters than their columns hold; the columns are known
// once the query has been opened.
void TFrameTesisler::prepareOnFirstShow()
{
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        const Field *field = m_binding->fieldOf(edit);
        if (field && isTextType(field->type()) && field->size() > 0)
            edit->setMaxLength(field->size());
    }
    m_prepared = true;
}

void TFrameTesisler::fdqry_tesislerNewRecord(Query &query)
{
    query.fieldByName(QStringLiteral("TESISAKTIF")).setValue(true);
}

void TFrameTesisler::fdqry_odaevNewRecord(Query &query)
{
    query.fieldByName(QStringLiteral("_IDTESISLER")).setValue(m_tesisler.fieldByName(QStringLiteral("IDTESISLER")).rawValue());
}

void TFrameTesisler::fdqry_tesislerBeforeDelete(Query &query)
{
    // A room still being typed counts among the facility's rooms.
    if (m_odaev.isEditing())
        m_odaev.post();
    silmeKontrolu(query, QStringLiteral("TESISLER"), kAskDeleteFacility);
}

void TFrameTesisler::fdqry_odaevBeforeDelete(Query &query)
{
    silmeKontrolu(query, QStringLiteral("ODAEV"), kAskDeleteRoom);
}

void TFrameTesisler::silmeKontrolu(Query &query, const QString &tablo, const QString &soru)
{
    if (query.isEmpty() || query.recNo() < 1)
        throw SilentAbort();
    if (m_dm->TablolinkDetayKontrol(tablo, query) > 0) {
        MessageBoxes::showMessage(this, kHasDependents);
        throw SilentAbort();
    }
    if (!MessageBoxes::confirm(this, soru, QMessageBox::Yes))
        throw SilentAbort();
    bagliKayitlariSil(query, tablo);
}

// Inside kayitSil the row's own deletion follows in the same transaction. A deletion started
// elsewhere gets a transaction of its own around the dependents.
void TFrameTesisler::bagliKayitlariSil(Query &query, const QString &tablo)
{
    Database &db = *m_dm->dbMain();
    if (db.inTransaction()) {
        m_dm->TablolinkDetaySil(tablo, query);
        return;
    }
    db.beginTransaction();
    try {
        m_dm->TablolinkDetaySil(tablo, query);
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
}

// The dependents and the row go in one transaction: when the row itself cannot be deleted, the
// dependents deleted before it come back.
void TFrameTesisler::kayitSil(Query &query)
{
    // A room still being typed is saved on its own, so that it outlives a failed deletion.
    if (&query == &m_tesisler && m_odaev.isEditing())
        m_odaev.post();
    Database &db = *m_dm->dbMain();
    const bool ownTransaction = !db.inTransaction();
    if (ownTransaction)
        db.beginTransaction();
    bool rowGone = false;
    try {
        query.remove();
        rowGone = true;
        if (ownTransaction)
            db.commit();
    } catch (const SilentAbort &) {
        // Refused before anything was deleted.
        if (ownTransaction)
            db.commit();
        throw;
    } catch (...) {
        if (ownTransaction)
            db.rollback();
        // The list had already let the row go; it shows again what the database still holds.
        if (rowGone)
            ErrorSink::guard([&] { query.refresh(); });
        throw;
    }
}

void TFrameTesisler::bekleyenOdayiKaydet()
{
    if (m_odaev.isEditing())
        ErrorSink::guard([this] { m_odaev.post(); });
}

// The tab widget has no veto before a page changes: the page it has just turned to is turned
// back before anything is painted, and shown again only when the change is allowed.
void TFrameTesisler::onPageChanged(int page)
{
    if (m_turningPage)
        return;
    const int leaving = m_shownPage;
    if (leaving == m_pages->indexOf(m_detailsPage) && page != leaving) {
        m_turningPage = true;
        m_pages->setCurrentIndex(leaving);
        m_turningPage = false;
        bool allowChange = true;
        pgc1Changing(allowChange);
        if (!allowChange)
            return;
        m_turningPage = true;
        m_pages->setCurrentIndex(page);
        m_turningPage = false;
    }
    m_shownPage = m_pages->currentIndex();
}

void TFrameTesisler::pgc1Changing(bool &AllowChange)
{
    AllowChange = ErrorSink::guard([this] { sayfaDegisimKontrolu(); });
}

void TFrameTesisler::sayfaDegisimKontrolu()
{
    if (m_tesisler.isEditing())
        m_tesisler.post();
    if (m_tesisler.isEmpty())
        throw AppError(QStringLiteral("Kayıt oluşturun"));
    if (m_tesisler.recNo() < 1)
        throw AppError(QStringLiteral("Kayıt seçin"));
}

// The facility record is not a secondary window, so it gets Enter as Tab here, by the windows'
// own rule of which controls pass it on.
bool TFrameTesisler::movesOnWithEnter(QObject *watched, const QKeyEvent *key) const
{
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    auto *control = qobject_cast<QWidget *>(watched);
    return enter && control && control->hasFocus() && isAncestorOf(control)
        && TMyformbase::passesEnterAsTab(control);
}

// Ctrl+Delete in either grid deletes its current row, after the same question as the
// navigator's delete button.
bool TFrameTesisler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && movesOnWithEnter(watched, static_cast<QKeyEvent *>(event))) {
        focusNextChild();
        return true;
    }
    if (event->type() == QEvent::KeyPress && (watched == m_list || watched == m_rooms)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
            Query &query = watched == m_list ? m_tesisler : m_odaev;
            if (query.isOpen() && !query.isReadOnly() && !query.isEmpty()
                && MessageBoxes::confirm(this, DbNavigator::deleteQuestion()))
                ErrorSink::guard([&] { kayitSil(query); });
            return true;
        }
    }
    return TFrameBase::eventFilter(watched, event);
}
