#include "forms/TFormXmlKaydet.h"

#include "controls/FilterGrid.h"
#include "controls/IconList.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/ListStatements.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "forms/MessageBoxes.h"
#include "forms/QueryRowPeek.h"
#include "forms/TFormAyar.h"
#include "gen/FieldSetRoutines.h"
#include "gen/GridFilter.h"
#include "gen/TDataTanimlari.h"
#include "delivery/DeliveryRun.h"
#include "delivery/NotificationLedger.h"
#include "notify/XmlKaydet.h"
#include "transliteration/UnwritableCharacters.h"

#include <QAction>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHeaderIcon = 122;
constexpr int kSaveIcon = 36;
constexpr int kCloseIcon = 33;

// A guest is present on the day of arrival and on every day up to the one before departure;
// without a departure day, on every day from the arrival on. The export selects the same way.
const char *const kDayCondition =
    "(:tarih BETWEEN GELISTARIH AND COALESCE(DATE(AYRILISTARIH,'-1 day'),:tarih)) OR GELISTARIH=:tarih";

const char *const kFoldersSetSql =
    "SELECT (COALESCE(AKBXMLDIZIN,'') || COALESCE(JKBXMLDIZIN,'')) AS S FROM AYAR WHERE IDAYAR=1";
const char *const kSettingsSql = "SELECT * FROM AYAR WHERE IDAYAR=1";

const char *const kConfirmation =
    "Tesis kimlikler dosyası ilgili xml klasörüne kaydedilecektir. Devam etmek istiyormusunuz?";

// The look of the guest grids: dark blue rows in two shades, white text, yellow titles.
const QColor kGridBackground(35, 73, 120);
const QColor kGridOddRows(41, 87, 143);
const QColor kGridTitleBackground(27, 56, 92);
// The current row darker than the rest, so that white and orange-red text both stay legible.
const QColor kGridCurrentRow(14, 34, 60);
const QColor kGridLines(74, 111, 156);
constexpr int kRowHeight = 18;
constexpr int kTitleHeight = 24;
constexpr int kGridPointSize = 9;

QString messageOf(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        return appError->message();
    return QString::fromUtf8(error.what());
}

ExportOutcome exportFromWindow(const QDateTime &moment)
{
    return DeliveryRun::run(moment, QChar(NotificationLedger::kExportWindow));
}

QPushButton *actionButton(QWidget *parent, const char *name, QAction *action)
{
    auto *button = new QPushButton(action->icon(), action->text(), parent);
    button->setObjectName(QLatin1String(name));
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return button;
}

} // namespace

const QColor TFormXmlKaydet::kIncompleteRowColor(255, 69, 0);

TFormXmlKaydet::TFormXmlKaydet(Database *db, IconList *icons, const TDataTanimlari *fieldSets,
                               TFormAyar *settingsWindow, QWidget *parent)
    : TMyformbase(parent),
      m_db(db),
      m_fieldSets(fieldSets),
      m_settingsWindow(settingsWindow),
      m_misafirler(db, this),
      m_exporter(exportFromWindow),
      m_openFolder(DizinAc)
{
    setObjectName(QStringLiteral("FormXmlKaydet"));
    setWindowTitle(QStringLiteral("Xml Kaydet"));
    m_misafirler.setObjectName(QStringLiteral("fdqry_misafirler"));
    m_misafirler.setSql(ListStatements(db).exportDayList());
    for (const char *macro : {"staticfilter", "filter", "having"})
        m_misafirler.setMacro(QLatin1String(macro), QStringLiteral("1"));
    // The list only shows the guests; they are changed in the guest list.
    m_misafirler.setReadOnly(true);
    m_misafirler.setRowWindow(true); // a register can hold a million stays
    const auto forgetDrawnRows = [this] { m_incompleteRows.clear(); };
    for (auto rowsReread : {&Query::opened, &Query::closed, &Query::rowsReordered})
        connect(&m_misafirler, rowsReread, this, forgetDrawnRows);
    connect(&m_misafirler, &Query::rowUpdated, this, forgetDrawnRows);
    buildControls(icons);

    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1000, 640);
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TFormXmlKaydet::buildControls(IconList *icons)
{
    m_header = new TVrnHeaderPanel(this);
    m_header->setImages(icons);
    m_header->setImageIndex(kHeaderIcon);
    m_header->LabelCap()->setText(QStringLiteral("XML DOSYASI KAYDET"));

    m_dateCaption = new QLabel(QStringLiteral("DURUM GÜNÜNÜN TARİHİ"), m_header);
    m_dateCaption->setObjectName(QStringLiteral("pnl_tarihbaslik"));
    m_dateCaption->setFrameShape(QFrame::StyledPanel);
    m_dateCaption->setFrameShadow(QFrame::Sunken);
    m_dateCaption->setAlignment(Qt::AlignCenter);
    m_dateCaption->setMargin(4);
    m_dtp = new QDateTimeEdit(m_header);
    m_dtp->setObjectName(QStringLiteral("dtp_tarih"));
    m_dtp->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    m_dtp->setCalendarPopup(true);
    m_dtp->setMinimumWidth(m_dtp->fontMetrics().horizontalAdvance(QStringLiteral("30 Ağustos 2000 Çarşamba")) + 40);
    m_dateCaption->setMinimumHeight(m_dtp->sizeHint().height());
    m_header->addRightWidget(m_dateCaption);
    m_header->addRightWidget(m_dtp);
    connect(m_dtp, &QDateTimeEdit::dateChanged, this, [this] { ErrorSink::guard([this] { dtp_tarihChange(); }); });

    m_grid = new FilterGrid(this);
    m_grid->setObjectName(QStringLiteral("smdbgrd_misafir"));
    m_grid->setQuery(&m_misafirler);
    styleGrid();
    connect(m_grid, &FilterGrid::filterChanged, this, &TFormXmlKaydet::smdbgrd_misafirFilterChanged);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buildBottomPanel(icons));
}

void TFormXmlKaydet::styleGrid()
{
    QFont cells = m_grid->font();
    cells.setPointSize(kGridPointSize);
    m_grid->setFont(cells);
    m_grid->setReadOnly(true);
    m_grid->setGridColors(kGridBackground, Qt::white);
    m_grid->setOddRowColor(kGridOddRows);
    m_grid->setSelectionColors(kGridCurrentRow, Qt::white);
    m_grid->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; selection-background-color: %2; }")
                              .arg(kGridLines.name(), kGridCurrentRow.name()));
    // Yellow titles need a dark ground; the program's theme gives titles a light one.
    m_grid->setTitleColors(kGridTitleBackground, Qt::yellow);
    m_grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: %1; color: yellow; border: 0;"
                       " border-right: 1px solid %2; border-bottom: 1px solid %2; padding: 2px 3px; }")
            .arg(kGridTitleBackground.name(), kGridBackground.name()));
    m_grid->setDefaultRowHeight(kRowHeight);
    m_grid->setTitleHeight(kTitleHeight);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setRowTextColor([this](int row) { return smdbgrd_misafirDrawColumnCell(row); });
}

QWidget *TFormXmlKaydet::buildBottomPanel(IconList *icons)
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnl_alt"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    const auto addFolder = [&](int column, const QString &caption, const char *editName, const char *buttonName,
                               QPushButton *&button) {
        auto *label = new QLabel(caption, panel);
        auto *edit = new QLineEdit(panel);
        edit->setObjectName(QLatin1String(editName));
        edit->setReadOnly(true);
        edit->setMinimumWidth(260);
        // A labelled edit keeps the usual effect of Enter.
        TMyformbase::keepEnterUsual(edit);
        label->setBuddy(edit);
        button = new QPushButton(QStringLiteral("Aç"), panel);
        button->setObjectName(QLatin1String(buttonName));
        grid->addWidget(label, 0, column, 1, 2);
        grid->addWidget(edit, 1, column);
        grid->addWidget(button, 1, column + 1);
        return edit;
    };
    m_polisDizini = addFolder(0, QStringLiteral("Polis Dosya Dizini"), "lbledtpolisdizini", "btn1", m_btn1);
    grid->setColumnMinimumWidth(2, 12);
    m_jndDizini = addFolder(3, QStringLiteral("Jnd Dosya Dizini"), "lbledtjnddizini", "btn2", m_btn2);
    connect(m_btn1, &QPushButton::clicked, this, &TFormXmlKaydet::btn1Click);
    connect(m_btn2, &QPushButton::clicked, this, &TFormXmlKaydet::btn2Click);
    grid->setColumnStretch(5, 1);

    m_actKaydet = new QAction(icons ? icons->icon(kSaveIcon) : QIcon(), QStringLiteral("Dosyaları Kaydet"), this);
    m_actKaydet->setObjectName(QStringLiteral("act_kaydet"));
    m_actKapat = new QAction(icons ? icons->icon(kCloseIcon) : QIcon(), QStringLiteral("Kapat"), this);
    m_actKapat->setObjectName(QStringLiteral("actkapat"));
    connect(m_actKaydet, &QAction::triggered, this, &TFormXmlKaydet::act_kaydetExecute);
    connect(m_actKapat, &QAction::triggered, this, &TFormXmlKaydet::actkapatExecute);
    grid->addWidget(actionButton(panel, "btn_kaydet", m_actKaydet), 1, 6);
    grid->addWidget(actionButton(panel, "btn_kapat", m_actKapat), 1, 7);
    return panel;
}

void TFormXmlKaydet::setExporter(Exporter exporter)
{
    m_exporter = exporter ? std::move(exporter) : Exporter(exportFromWindow);
}

void TFormXmlKaydet::setFolderOpener(FolderOpener opener)
{
    m_openFolder = opener ? std::move(opener) : FolderOpener(DizinAc);
}

QDateTime TFormXmlKaydet::secilenAn() const
{
    return m_dtp->dateTime();
}

void TFormXmlKaydet::FormShow()
{
    if (!m_doneFirst) {
        const TDataTanimlari noSets;
        m_mainfieldset = applyFieldSetFirstShow(m_fieldSets ? *m_fieldSets : noSets, QStringLiteral("MISAFIR"),
                                                m_misafirler, m_grid);
        m_doneFirst = true;
    }
    {
        // The list is run once below, not for the change of the picker.
        const QSignalBlocker quiet(m_dtp);
        m_dtp->setDateTime(QDateTime::currentDateTime());
    }
    onfiltreuygula();
    ayarkontrol(false);
}

void TFormXmlKaydet::FormClose()
{
    m_misafirler.close();
}

void TFormXmlKaydet::dtp_tarihChange()
{
    onfiltreuygula();
}

void TFormXmlKaydet::onfiltreuygula()
{
    m_misafirler.close();
    m_misafirler.setMacro(QStringLiteral("staticfilter"), QString::fromUtf8(kDayCondition));
    m_misafirler.setParam(QStringLiteral("tarih"), m_dtp->date());
    m_misafirler.open();
}

void TFormXmlKaydet::ayarkontrol(bool sor)
{
    // No settings row gives no value at all: then there is nothing the settings window could
    // edit, and the export reports the missing row itself.
    if (sor) {
        const QVariant folders = m_db->scalar(QString::fromUtf8(kFoldersSetSql));
        if (!folders.isNull() && folders.toString().isEmpty() && m_settingsWindow)
            m_settingsWindow->exec();
    }
    Query settings(m_db);
    settings.setSql(QString::fromUtf8(kSettingsSql));
    settings.open();
    if (settings.isEmpty())
        return;
    m_polisDizini->setText(settings.fieldByName(QStringLiteral("AKBXMLDIZIN")).asString());
    m_jndDizini->setText(settings.fieldByName(QStringLiteral("JKBXMLDIZIN")).asString());
}

void TFormXmlKaydet::act_kaydetExecute()
{
    if (!ErrorSink::guard([this] { ayarkontrol(true); }))
        return;
    if (!MessageBoxes::confirm(this, QString::fromUtf8(kConfirmation)))
        return;
    ExportOutcome outcome;
    try {
        outcome = m_exporter(secilenAn());
    } catch (const SilentAbort &) {
        return;
    } catch (const std::exception &error) {
        MessageBoxes::showError(this, messageOf(error));
        return;
    }
    showSummary(outcome);
}

// A run in which every facility got its file with every present guest closes with information;
// anything less with a warning that lists what is missing.
void TFormXmlKaydet::showSummary(const ExportOutcome &outcome)
{
    if (outcome.allDelivered())
        MessageBoxes::showInformation(this, outcome.summaryText());
    else
        MessageBoxes::showWarning(this, outcome.summaryText());
}

void TFormXmlKaydet::btn1Click()
{
    m_openFolder(m_polisDizini->text());
}

void TFormXmlKaydet::btn2Click()
{
    m_openFolder(m_jndDizini->text());
}

void TFormXmlKaydet::smdbgrd_misafirFilterChanged()
{
    if (m_grid->query() != &m_misafirler)
        return;
    filtreDegisti(m_misafirler, m_mainfieldset, m_grid->filterColumns());
}

void TFormXmlKaydet::actkapatExecute()
{
    close();
}

bool TFormXmlKaydet::satirEksik(int row)
{
    // Every cell of a row asks for the row's colour; the answer is the same until the list is
    // read again, since nobody edits the rows here.
    if (const auto known = m_incompleteRows.constFind(row); known != m_incompleteRows.constEnd())
        return known.value();
    const QueryRowPeek drawnRow(m_misafirler, row);
    if (!drawnRow.isPositioned())
        return false;
    m_kimvalid.Fields = &m_misafirler;
    try {
        // The required fields depend on the row (citizen or not, departed or not).
        m_kimvalid.buildReqFieldList();
    } catch (const std::exception &) {
        // A row the validator cannot read is not complete; isvalid below says the same.
    }
    // A row the file would carry with "?" in place of a letter is marked the same way.
    const bool incomplete = !m_kimvalid.isvalid() || UnwritableCharacters::anyIn(m_misafirler);
    m_incompleteRows.insert(row, incomplete);
    return incomplete;
}

QColor TFormXmlKaydet::smdbgrd_misafirDrawColumnCell(int row)
{
    return satirEksik(row) ? kIncompleteRowColor : QColor();
}
