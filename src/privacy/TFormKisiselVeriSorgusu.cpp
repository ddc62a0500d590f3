#include "privacy/TFormKisiselVeriSorgusu.h"

#include "controls/DbLookupComboBox.h"
#include "controls/FilterGrid.h"
#include "controls/IconList.h"
#include "controls/NullableDateEdit.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/StoredValue.h"
#include "forms/MessageBoxes.h"
#include "gen/FieldSetRoutines.h"
#include "gen/GridFilter.h"
#include "gen/TransientMessage.h"
#include "privacy/StayErasure.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHeaderIcon = 108;
constexpr int kPrintIcon = 13;
constexpr int kEraseIcon = 72;
constexpr int kCloseIcon = 33;
const QString kFieldSetName = QStringLiteral("KISISELVERI");

const QString kSql = QStringLiteral(
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
    "WHERE (&staticfilter) AND (&filter)\n"
    "GROUP BY IDMISAFIR\n"
    "HAVING (&having)\n"
    "ORDER BY GELISTARIH DESC,IDMISAFIR DESC");

const QString kErasableNote = QStringLiteral(
    "Kişisel veriler yalnızca ayrılış günü bugünden önce olan konaklamalarda silinebilir; konaklaması süren "
    "misafir bildirilmeye devam etmelidir.");

const QString kErasedList = QStringLiteral(
    "ad, soyad, anne ve baba adı, TC kimlik no, belge seri no, doğum yeri ve tarihi, nüfus bilgileri, adres, meslek, "
    "plaka, notlar");

// The guest list's columns and the notes, which the guest list leaves out: the person is shown
// everything the register holds about them.
Tmyfieldset withNotes(Tmyfieldset fieldset)
{
    int end = 0;
    while (end < Tmyfieldset::EntryCount - 1 && !fieldset.isEndOfSet(end)) {
        // The whole TC number, which the person checks first.
        if (fieldset.alanadi(end) == QLatin1String("TCNO"))
            fieldset.set(end, TFozellik::genislik, QStringLiteral("12"));
        ++end;
    }
    fieldset.set(end, TFozellik::alanadi, QStringLiteral("NOTLAR"));
    fieldset.set(end, TFozellik::etiket, QStringLiteral("NOTLAR"));
    fieldset.set(end, TFozellik::goster, QStringLiteral("1"));
    fieldset.set(end, TFozellik::genislik, QStringLiteral("20"));
    return fieldset;
}

QDate systemToday() { return QDate::currentDate(); }

} // namespace

TFormKisiselVeriSorgusu::TFormKisiselVeriSorgusu(Tdm1 *dm, QWidget *parent)
    : TMyformbase(parent), m_dm(dm), m_kisi(dm ? dm->dbMain() : nullptr, this), m_today(systemToday)
{
    setObjectName(QStringLiteral("FormKisiselVeriSorgusu"));
    setWindowTitle(QStringLiteral("Kişisel Veri Sorgusu"));
    m_kisi.setObjectName(QStringLiteral("fdqry_kisi"));
    m_kisi.setSql(kSql);
    m_kisi.setReadOnly(true);
    // Nobody is listed before the first search.
    m_kisi.setMacro(QStringLiteral("staticfilter"), QStringLiteral("0"));
    for (const char *macro : {"filter", "having"})
        m_kisi.setMacro(QLatin1String(macro), QStringLiteral("1"));
    if (dm && dm->FDT()) {
        Tmyfieldset guests;
        dm->FDT()->fieldSetVer(QStringLiteral("MISAFIR"), guests);
        m_fieldSets.fieldSetEkle(kFieldSetName, withNotes(guests));
    }
    buildControls();
    resize(960, 560);
}

QAction *TFormKisiselVeriSorgusu::makeAction(const QString &caption, int icon, const char *name,
                                             void (TFormKisiselVeriSorgusu::*handler)())
{
    IconList *icons = m_dm ? m_dm->il_db() : nullptr;
    auto *action = new QAction(icons ? icons->icon(icon) : QIcon(), caption, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QToolButton *TFormKisiselVeriSorgusu::headerButton(QAction *action, const char *name)
{
    auto *button = new QToolButton(m_header);
    button->setObjectName(QLatin1String(name));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

void TFormKisiselVeriSorgusu::buildControls()
{
    m_header = new TVrnHeaderPanel(this);
    m_header->setImages(m_dm ? m_dm->il_db() : nullptr);
    m_header->setImageIndex(kHeaderIcon);
    m_header->LabelCap()->setText(QStringLiteral("KİŞİSEL VERİ SORGUSU"));
    m_header->addRightWidget(headerButton(
        makeAction(QStringLiteral("Listeyi Yazdır"), kPrintIcon, "actyazdir", &TFormKisiselVeriSorgusu::actyazdirExecute),
        "btnyazdir"));
    m_header->addRightWidget(headerButton(makeAction(QStringLiteral("Seçilenlerin Kişisel Verilerini Sil"), kEraseIcon,
                                                     "actsil", &TFormKisiselVeriSorgusu::actsilExecute),
                                          "btnsil"));
    m_header->addRightWidget(headerButton(
        makeAction(QStringLiteral("Kapat"), kCloseIcon, "actkapat", &TFormKisiselVeriSorgusu::actkapatExecute),
        "btnkapat"));

    m_grid = new FilterGrid(this);
    m_grid->setObjectName(QStringLiteral("smdbgrd_kisi"));
    m_grid->setQuery(&m_kisi);
    m_grid->setCheckBoxes(true);
    m_grid->setKeyFieldName(QStringLiteral("IDMISAFIR"));
    m_grid->setReadOnly(true);
    m_grid->setTitleHeight(24);
    m_grid->setDefaultRowHeight(18);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_grid, &FilterGrid::filterChanged, this,
            [this] { ErrorSink::guard([this] { filtreDegisti(m_kisi, m_mainFieldset, m_grid->filterColumns()); }); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(buildSearchArea());
    layout->addWidget(m_grid, 1);
}

QWidget *TFormKisiselVeriSorgusu::buildSearchArea()
{
    auto *area = new QGroupBox(QStringLiteral("Kişiyi bulmak için"), this);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(10, 6, 10, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);

    const auto edit = [area](const char *name, const QString &placeholder, int width) {
        auto *line = new QLineEdit(area);
        line->setObjectName(QLatin1String(name));
        line->setPlaceholderText(placeholder);
        line->setMinimumWidth(width);
        return line;
    };
    const auto choice = [area](const char *name, const QString &caption) {
        auto *button = new QRadioButton(caption, area);
        button->setObjectName(QLatin1String(name));
        return button;
    };

    m_byTcNo = choice("rbTcNo", QStringLiteral("TC kimlik no ile"));
    m_tcNo = edit("edtTcNo", QStringLiteral("11 haneli TC kimlik no"), 160);
    m_tcNo->setMaxLength(11);
    m_tcNo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,11}")), m_tcNo));

    m_bySerial = choice("rbSeriNo", QStringLiteral("Belge seri no ve uyruk ile"));
    m_serial = edit("edtSeriNo", QStringLiteral("Belge seri no"), 160);
    m_serial->setMaxLength(20);
    m_nationality = new DbLookupComboBox(area);
    m_nationality->setObjectName(QStringLiteral("cbbUyruk"));
    m_nationality->setMinimumWidth(220);

    m_byName = choice("rbAdSoyad", QStringLiteral("Ad, soyad ve doğum tarihi ile"));
    m_givenName = edit("edtAdi", QStringLiteral("Adı"), 160);
    m_surname = edit("edtSoyadi", QStringLiteral("Soyadı"), 160);
    m_birthDate = new NullableDateEdit(area);
    m_birthDate->setObjectName(QStringLiteral("dtDogumTarihi"));
    m_birthDate->setCalendarTitle(QStringLiteral("Doğum Tarihi"));
    m_birthDate->setToolTip(QStringLiteral("Doğum tarihi"));
    m_birthDate->setMinimumWidth(120);
    m_byTcNo->setChecked(true);

    auto *search = new QPushButton(QStringLiteral("&Ara"), area);
    search->setObjectName(QStringLiteral("btnara"));
    search->setAutoDefault(false);
    connect(search, &QPushButton::clicked, this, &TFormKisiselVeriSorgusu::actaraExecute);

    grid->addWidget(m_byTcNo, 0, 0);
    grid->addWidget(m_tcNo, 0, 1);
    grid->addWidget(m_bySerial, 1, 0);
    grid->addWidget(m_serial, 1, 1);
    grid->addWidget(m_nationality, 1, 2, 1, 2);
    grid->addWidget(m_byName, 2, 0);
    grid->addWidget(m_givenName, 2, 1);
    grid->addWidget(m_surname, 2, 2);
    grid->addWidget(m_birthDate, 2, 3);
    grid->addWidget(search, 0, 5, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(4, 1);

    m_result = new QLabel(kErasableNote, area);
    m_result->setObjectName(QStringLiteral("lblSonuc"));
    m_result->setWordWrap(true);
    grid->addWidget(m_result, 3, 0, 1, 6);

    // Typing into a key's fields chooses that key.
    for (QLineEdit *line : {m_tcNo})
        connect(line, &QLineEdit::textEdited, m_byTcNo, [this] { m_byTcNo->setChecked(true); });
    for (QLineEdit *line : {m_serial})
        connect(line, &QLineEdit::textEdited, m_bySerial, [this] { m_bySerial->setChecked(true); });
    connect(m_nationality, &QComboBox::activated, m_bySerial, [this] { m_bySerial->setChecked(true); });
    for (QLineEdit *line : {m_givenName, m_surname})
        connect(line, &QLineEdit::textEdited, m_byName, [this] { m_byName->setChecked(true); });
    connect(m_birthDate, &NullableDateEdit::dateEdited, m_byName, [this] { m_byName->setChecked(true); });
    return area;
}

void TFormKisiselVeriSorgusu::setToday(Today today)
{
    m_today = today ? std::move(today) : Today(systemToday);
}

void TFormKisiselVeriSorgusu::FormShow()
{
    if (!m_donefirst)
        ilkGosterim();
    m_kisi.open();
    showResultCount();
    // The operator starts typing the number the guest hands over.
    m_tcNo->setFocus(Qt::OtherFocusReason);
}

void TFormKisiselVeriSorgusu::ilkGosterim()
{
    m_mainFieldset = applyFieldSetFirstShow(m_fieldSets, kFieldSetName, m_kisi, m_grid);
    if (m_dm && m_dm->fdqry_uyruk()->isOpen()) {
        m_nationality->fillFrom(*m_dm->fdqry_uyruk(), QStringLiteral("UYRUKKODU"), {QStringLiteral("UYRUKADI")},
                                QStringLiteral("UYRUKADI"));
        // Türkiye, the first of the list, as on the guest entry.
        m_nationality->setCurrentIndex(0);
    }
    m_donefirst = true;
}

// The person's data is not left on the screen for the next one to see.
void TFormKisiselVeriSorgusu::FormClose()
{
    m_kisi.close();
    m_kisi.setMacro(QStringLiteral("staticfilter"), QStringLiteral("0"));
    m_grid->clearChecks();
    for (QLineEdit *line : {m_tcNo, m_serial, m_givenName, m_surname})
        line->clear();
    m_birthDate->clear();
}

void TFormKisiselVeriSorgusu::actkapatExecute() { close(); }

void TFormKisiselVeriSorgusu::actaraExecute()
{
    ErrorSink::guard([this] { ara(); });
}

PersonSearch::Condition TFormKisiselVeriSorgusu::chosenCondition() const
{
    if (m_bySerial->isChecked())
        return PersonSearch::byDocumentSerial(m_serial->text(), m_nationality->currentKey());
    if (m_byName->isChecked())
        return PersonSearch::byNameAndBirthDate(m_givenName->text(), m_surname->text(), m_birthDate->nullableDate());
    return PersonSearch::byTcNo(m_tcNo->text());
}

void TFormKisiselVeriSorgusu::ara()
{
    PersonSearch::Condition condition;
    try {
        condition = chosenCondition();
    } catch (const AppError &error) {
        MessageBoxes::showWarning(this, error.message());
        return;
    }
    PersonSearch::registerFolding(*m_kisi.database());
    m_kisi.close();
    m_grid->clearChecks();
    m_kisi.setMacro(QStringLiteral("staticfilter"), condition.sql);
    for (auto it = condition.params.cbegin(); it != condition.params.cend(); ++it)
        m_kisi.setParam(it.key(), it.value());
    m_kisi.open();
    showResultCount();
}

void TFormKisiselVeriSorgusu::showResultCount()
{
    if (m_kisi.macro(QStringLiteral("staticfilter")) == QLatin1String("0")) {
        m_result->setText(kErasableNote);
        return;
    }
    m_result->setText(QStringLiteral("%1 konaklama bulundu. %2").arg(m_kisi.recordCount()).arg(kErasableNote));
}

void TFormKisiselVeriSorgusu::actyazdirExecute()
{
    ErrorSink::guard([this] {
        if (m_dm)
            m_dm->gridyazdir(m_grid, QString::fromUtf8(kPrintTitle));
    });
}

void TFormKisiselVeriSorgusu::actsilExecute()
{
    ErrorSink::guard([this] { sil(); });
}

void TFormKisiselVeriSorgusu::sil()
{
    const QList<int> rows = m_grid->checkedRows();
    if (rows.isEmpty()) {
        mesajGoster(QStringLiteral("Seçim yapınız"), QString());
        return;
    }
    const int keyColumn = m_kisi.columnOf(QStringLiteral("IDMISAFIR"));
    const int departureColumn = m_kisi.columnOf(QStringLiteral("AYRILISTARIH"));
    const QDate today = m_today();
    QList<qint64> ended;
    for (int row : rows) {
        const QVariant departure = m_kisi.rawValue(row, departureColumn);
        const QDate day = departure.isNull() ? QDate() : StoredValue::parseDate(departure.toString());
        if (day.isValid() && day < today)
            ended << m_kisi.rawValue(row, keyColumn).toLongLong();
    }
    if (ended.isEmpty()) {
        MessageBoxes::showWarning(this, QStringLiteral("Seçilen konaklamaların hiçbiri bitmemiş. ") + kErasableNote);
        return;
    }
    QString question = QStringLiteral("Seçilen %1 konaklamadaki kişisel veriler (%2) silinsin mi?\n\nOda, geliş ve "
                                      "ayrılış, uyruk ve cinsiyet kalır. Silinen veriler geri getirilemez.")
                           .arg(ended.size())
                           .arg(kErasedList);
    if (const int open = int(rows.size() - ended.size()); open > 0)
        question += QStringLiteral("\n\n%1 konaklama henüz bitmediği için silinmeyecek.").arg(open);
    if (!MessageBoxes::confirm(this, question))
        return;
    // The list lets go of its rows, so that the file can be rebuilt without the old values.
    m_kisi.close();
    QList<qint64> erased;
    try {
        erased = StayErasure::erase(*m_kisi.database(), ended, QChar(StayErasure::kOnRequest), today);
    } catch (...) {
        m_kisi.open();
        throw;
    }
    m_grid->clearChecks();
    m_kisi.open();
    showResultCount();
    MessageBoxes::showInformation(this, QStringLiteral("%1 konaklamanın kişisel verileri silindi.").arg(erased.size()));
}
