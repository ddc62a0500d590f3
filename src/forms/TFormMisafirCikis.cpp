#include "forms/TFormMisafirCikis.h"

#include "controls/FilterGrid.h"
#include "controls/IconList.h"
#include "controls/TVrnHeaderPanel.h"
#include "data/ListStatements.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/StoredValue.h"
#include "gen/FieldSetRoutines.h"
#include "gen/GridFilter.h"
#include "gen/TDataTanimlari.h"
#include "gen/TransientMessage.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHeaderIcon = 108;
constexpr int kCloseIcon = 33;
constexpr int kCheckOutIcon = 21;
constexpr int kClearTicksIcon = 72;
constexpr int kClockInterval = 1000;

QDateTime localNow()
{
    return QDateTime::currentDateTime();
}

// The locale's long time format names the time zone, which a wall clock in the header does
// not need.
QString longTimeFormat(const QLocale &locale)
{
    static const QRegularExpression timeZone(QStringLiteral("\\s*\\bt+\\b"));
    return locale.timeFormat(QLocale::LongFormat).remove(timeZone).trimmed();
}

QString clockText(const QDateTime &now)
{
    const QLocale locale;
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + locale.toString(now.time(), longTimeFormat(locale));
}

} // namespace

TFormMisafirCikis::TFormMisafirCikis(Database *db, const TDataTanimlari *fieldSets, IconList *icons, QWidget *parent)
    : TMyformbase(parent), m_misafirler(db, this), m_fieldSets(fieldSets), m_clock(localNow)
{
    setObjectName(QStringLiteral("FormMisafirCikis"));
    setWindowTitle(QStringLiteral("Misafir Çıkış"));
    m_misafirler.setObjectName(QStringLiteral("fdqry_misafirler"));
    m_misafirler.setSql(ListStatements(db).checkOutList());
    for (const char *macro : {"staticfilter", "filter", "having"})
        m_misafirler.setMacro(QLatin1String(macro), QStringLiteral("1"));
    m_misafirler.setRowWindow(true); // a register can hold a million stays
    buildControls(icons);
    resize(744, 363);
}

void TFormMisafirCikis::buildControls(IconList *icons)
{
    m_actkapat = new QAction(icons ? icons->icon(kCloseIcon) : QIcon(), QStringLiteral("Kapat"), this);
    m_actkapat->setObjectName(QStringLiteral("actkapat"));
    m_actmisafircikisiyap = new QAction(icons ? icons->icon(kCheckOutIcon) : QIcon(),
                                        QStringLiteral("Seçili Kişilerin Çıkışını Yap"), this);
    m_actmisafircikisiyap->setObjectName(QStringLiteral("actmisafircikisiyap"));
    m_actsecimitemizle = new QAction(icons ? icons->icon(kClearTicksIcon) : QIcon(), QStringLiteral("Seçimi temizle"), this);
    m_actsecimitemizle->setObjectName(QStringLiteral("actsecimitemizle"));
    connect(m_actkapat, &QAction::triggered, this, &TFormMisafirCikis::actkapatExecute);
    connect(m_actmisafircikisiyap, &QAction::triggered, this, &TFormMisafirCikis::actmisafircikisiyapExecute);
    connect(m_actsecimitemizle, &QAction::triggered, this, &TFormMisafirCikis::actsecimitemizleExecute);

    m_header = new TVrnHeaderPanel(this);
    m_header->setImages(icons);
    m_header->setImageIndex(kHeaderIcon);
    m_header->LabelCap()->setText(QStringLiteral("MİSAFİR ÇIKIŞI"));
    m_dateLabel = new QLabel(m_header);
    m_dateLabel->setObjectName(QStringLiteral("lbl_date"));
    m_header->addRightWidget(m_dateLabel);
    m_header->addRightWidget(headerButton(m_actsecimitemizle, "btnsecimitemizle", 106));
    m_header->addRightWidget(headerButton(m_actmisafircikisiyap, "btnmisafircikisiyap", 175));
    m_header->addRightWidget(headerButton(m_actkapat, "btnkapat", 75));

    m_grid = new FilterGrid(this);
    m_grid->setObjectName(QStringLiteral("smdbgrd_misafir"));
    m_grid->setQuery(&m_misafirler);
    m_grid->setCheckBoxes(true);
    m_grid->setKeyFieldName(QStringLiteral("IDMISAFIR"));
    m_grid->setReadOnly(true);
    m_grid->setTitleHeight(24);
    m_grid->setDefaultRowHeight(17);
    m_grid->setOddRowColor(QColor());
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setRowBackground([this](int row) { return smdbgrd_misafirDrawColumnCell(row); });
    connect(m_grid, &FilterGrid::filterChanged, this, &TFormMisafirCikis::smdbgrd_misafirFilterChanged);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("tmr1"));
    m_clockTimer->setInterval(kClockInterval);
    connect(m_clockTimer, &QTimer::timeout, this, &TFormMisafirCikis::tmr1Timer);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_grid, 1);
}

QToolButton *TFormMisafirCikis::headerButton(QAction *action, const char *name, int width)
{
    auto *button = new QToolButton(m_header);
    button->setObjectName(QLatin1String(name));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The width laid out for the caption; a wider desktop font widens the button rather than
    // cutting its caption short.
    button->setMinimumWidth(width);
    return button;
}

void TFormMisafirCikis::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(localNow);
}

void TFormMisafirCikis::FormShow()
{
    m_changed = false;
    // A tick is a choice made during one showing: one left from a showing that recorded nothing
    // would check out a guest who is staying at the next press.
    m_grid->clearChecks();
    tmr1Timer();
    m_clockTimer->start();
    if (QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    if (!m_donefirst)
        ilkGosterim();
    // The list is the snapshot of this moment; the filter bar's macros stay as it left them.
    m_misafirler.close();
    m_misafirler.setMacro(QStringLiteral("staticfilter"), QLatin1String(kStaticFilter));
    m_misafirler.setParam(QStringLiteral("tarih"), m_clock());
    m_misafirler.open();
}

// The grid's columns and the copy of the field set for the filter bar are made once; the
// window lives for the whole run.
void TFormMisafirCikis::ilkGosterim()
{
    const TDataTanimlari noSets;
    m_mainFieldset = applyFieldSetFirstShow(m_fieldSets ? *m_fieldSets : noSets, QStringLiteral("MISAFIR"),
                                            m_misafirler, m_grid);
    m_donefirst = true;
}

void TFormMisafirCikis::FormClose()
{
    m_clockTimer->stop();
    // A departure that could not be saved is dropped with the rows.
    m_misafirler.close();
}

void TFormMisafirCikis::done(int)
{
    TMyformbase::done(m_changed ? QDialog::Accepted : QDialog::Rejected);
}

void TFormMisafirCikis::actkapatExecute()
{
    close();
}

void TFormMisafirCikis::actsecimitemizleExecute()
{
    m_grid->clearChecks();
}

void TFormMisafirCikis::actmisafircikisiyapExecute()
{
    ErrorSink::guard([this] {
        const QList<int> rows = m_grid->checkedRows();
        if (rows.isEmpty()) {
            mesajGoster(QStringLiteral("Seçim yapınız"), QString());
            return;
        }
        // One moment for all ticked guests, so that a run across midnight cannot join
        // yesterday's date with a time just after midnight.
        cikisYap(rows, m_clock());
        m_grid->clearChecks();
    });
}

// Each row is saved on its own, without the guest validation of the entry window. When a row
// cannot be saved the run stops there: the rows before it keep their departure and lose their
// tick, the failed row and the rest stay ticked, and the window still reports the departures it
// did record, so that the guest list reads them.
void TFormMisafirCikis::cikisYap(const QList<int> &rows, const QDateTime &moment)
{
    Field &departureDate = m_misafirler.fieldByName(QStringLiteral("AYRILISTARIH"));
    Field &departureTime = m_misafirler.fieldByName(QStringLiteral("AYRILISSAAT"));
    for (int row : rows) {
        m_misafirler.moveTo(row);
        try {
            m_misafirler.edit();
            departureDate.setValue(moment.date());
            departureTime.setValue(moment.time());
            m_misafirler.post();
        } catch (...) {
            m_misafirler.cancel();
            throw;
        }
        m_changed = true;
        m_grid->setChecked(row, false);
    }
}

QColor TFormMisafirCikis::smdbgrd_misafirDrawColumnCell(int row) const
{
    const Field *departureDate = m_misafirler.findField(QStringLiteral("AYRILISTARIH"));
    const Field *departureTime = m_misafirler.findField(QStringLiteral("AYRILISSAAT"));
    if (!departureDate || !departureTime)
        return {};
    const bool departed = ayrilisZamaniGecti(m_misafirler.rawValue(row, departureDate->columnIndex()),
                                             m_misafirler.rawValue(row, departureTime->columnIndex()), m_clock());
    return departed ? kDepartedColor : QColor();
}

bool TFormMisafirCikis::ayrilisZamaniGecti(const QVariant &storedDate, const QVariant &storedTime, const QDateTime &now)
{
    const QDate date = storedDate.isNull() ? QDate() : StoredValue::parseDate(storedDate.toString());
    if (!date.isValid())
        return false;
    const QTime time = storedTime.isNull() ? QTime() : StoredValue::parseTime(storedTime.toString());
    return now >= QDateTime(date, time.isValid() ? time : QTime(0, 0));
}

void TFormMisafirCikis::smdbgrd_misafirFilterChanged()
{
    filtreDegisti(m_misafirler, m_mainFieldset, m_grid->filterColumns());
}

void TFormMisafirCikis::tmr1Timer()
{
    m_dateLabel->setText(clockText(m_clock()));
}
