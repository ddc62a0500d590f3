#include "delivery/NotificationHistoryWindow.h"

#include "controls/FilterGrid.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "delivery/NotificationFileCheck.h"
#include "delivery/NotificationLedger.h"
#include "forms/MessageBoxes.h"
#include "gen/FieldSetRoutines.h"
#include "gen/GridFilter.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// Texts for the operator in place of the stored flag and letter. The filter bar filters on them
// by their names, which the engine resolves in WHERE as well.
#define RESULT_TEXT "(CASE WHEN BILDIRIMLER.SONUC=1 THEN 'Evet' ELSE 'Hayır' END)"
#define SOURCE_TEXT                                                                                      \
    "(CASE BILDIRIMLER.KAYNAK WHEN 'P' THEN 'XML Kaydet penceresi' WHEN 'O' THEN 'Zamanlanmış' "      \
    "WHEN 'D' THEN 'Zamanlanmış, açık pencerede' ELSE BILDIRIMLER.KAYNAK END)"

const char *const kHistorySql =
    "SELECT BILDIRIMLER.*, TESISLER.TESISADI, " RESULT_TEXT " AS YAZILDI, " SOURCE_TEXT " AS KAYNAKADI "
    "FROM BILDIRIMLER LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=BILDIRIMLER._IDTESISLER\n"
    "WHERE (&filter)\n"
    "GROUP BY IDBILDIRIMLER\n"
    "HAVING (&having)\n"
    "ORDER BY IDBILDIRIMLER DESC";

struct Column {
    const char *field;
    const char *label;
    const char *width;
    const char *filterExpression = "";
};

// The columns of the grid, in order; the id and the facility's id stay hidden.
const Column kColumns[] = {
    {"TARIH", "ÇALIŞMA ZAMANI", "16"},
    {"GUN", "GÜN", "10"},
    {"TESISADI", "TESİS ADI", "16"},
    {"TESISKODU", "TESİS KODU", "10"},
    {"TESISBOLGE", "BÖLGE", "6"},
    {"YAZILDI", "YAZILDI", "7"},
    {"KISISAYISI", "KİŞİ", "5"},
    {"EKSIKSAYISI", "EKSİK", "6"},
    {"KAYNAKADI", "KAYNAK", "14"},
    {"DOSYA", "DOSYA", "45"},
    {"ACIKLAMA", "AÇIKLAMA", "60"},
    {"MD5", "MD5", "28"},
};

Tmyfieldset historyFieldSet()
{
    Tmyfieldset fieldset;
    int index = 0;
    for (const Column &column : kColumns) {
        fieldset.set(index, TFozellik::alanadi, QString::fromUtf8(column.field));
        fieldset.set(index, TFozellik::etiket, QString::fromUtf8(column.label));
        fieldset.set(index, TFozellik::goster, QStringLiteral("1"));
        fieldset.set(index, TFozellik::genislik, QString::fromUtf8(column.width));
        fieldset.set(index, TFozellik::sqlexp, QString::fromUtf8(column.filterExpression));
        ++index;
    }
    return fieldset;
}

} // namespace

NotificationHistoryWindow::NotificationHistoryWindow(Database *db, QWidget *parent)
    : QDialog(parent),
      m_history(db, this),
      m_fieldSet(historyFieldSet()),
      m_grid(new FilterGrid(this)),
      m_verify(new QPushButton(QStringLiteral("Dosyayı doğrula"), this)),
      m_close(new QPushButton(QStringLiteral("Kapat"), this))
{
    setObjectName(QStringLiteral("FormBildirimGecmisi"));
    setWindowTitle(QStringLiteral("Bildirim Geçmişi"));
    m_history.setSql(QString::fromUtf8(kHistorySql));
    m_history.setMacro(QStringLiteral("filter"), QStringLiteral("1"));
    m_history.setMacro(QStringLiteral("having"), QStringLiteral("1"));
    m_history.setReadOnly(true);
    m_grid->setObjectName(QStringLiteral("smdbgrd_bildirimler"));
    m_grid->setReadOnly(true);
    m_grid->setQuery(&m_history);
    m_verify->setObjectName(QStringLiteral("btn_dogrula"));
    m_close->setObjectName(QStringLiteral("btn_kapat"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_verify);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    connect(m_grid, &FilterGrid::filterChanged, this, [this] { ErrorSink::guard([this] { filterChanged(); }); });
    connect(m_verify, &QPushButton::clicked, this, [this] { ErrorSink::guard([this] { verifyCurrentFile(); }); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(&NotificationLedger::instance(), &NotificationLedger::recorded, this, [this] {
        if (isVisible())
            ErrorSink::guard([this] { reload(); });
    });
    resize(1100, 560);
}

void NotificationHistoryWindow::prepareOnce()
{
    if (m_prepared)
        return;
    alanlariOlustur(m_history);
    for (int i = 0; i < m_history.fieldCount(); ++i)
        m_history.field(i)->setVisible(false);
    fieldSetAlanlaraUygula(m_history, m_fieldSet);
    m_grid->clearColumns();
    fieldSetGrideUygula(*m_grid, m_fieldSet, m_history);
    m_prepared = true;
}

void NotificationHistoryWindow::reload()
{
    prepareOnce();
    m_history.close();
    m_history.open();
}

void NotificationHistoryWindow::filterChanged()
{
    filtreDegisti(m_history, m_fieldSet, m_grid->filterColumns());
}

void NotificationHistoryWindow::verifyCurrentFile()
{
    if (!m_history.isOpen() || m_history.isEmpty()) {
        MessageBoxes::showInformation(this, QStringLiteral("Doğrulanacak bildirim yok."));
        return;
    }
    const NotificationFileCheck::Result result =
        NotificationFileCheck::verify(m_history.fieldByName(QStringLiteral("DOSYA")).asString(),
                                      m_history.fieldByName(QStringLiteral("MD5")).asString());
    if (result.state == NotificationFileCheck::State::Intact)
        MessageBoxes::showInformation(this, result.message);
    else
        MessageBoxes::showWarning(this, result.message);
}

void NotificationHistoryWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ErrorSink::guard([this] { reload(); });
}

void NotificationHistoryWindow::closeEvent(QCloseEvent *event)
{
    m_history.close();
    QDialog::closeEvent(event);
}
