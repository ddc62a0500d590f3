#include "mrz/TFormMrzOku.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

constexpr int kLongestLine = 44;
constexpr int kMostLines = 3;

const QColor kRefused(176, 0, 0);
const QColor kNotice(150, 80, 0);

} // namespace

TFormMrzOku::TFormMrzOku(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMrzOku"));
    setWindowTitle(QStringLiteral("Kimlik/Pasaport Oku"));
    auto *layout = new QVBoxLayout(this);

    auto *hint = new QLabel(QStringLiteral("Belgenin alt kısmındaki makinece okunur alanı (MRZ) satır satır yazın "
                                           "ya da okuyucuyla okutun:"),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_zone = new QPlainTextEdit(this);
    m_zone->setObjectName(QStringLiteral("memMrz"));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(qMax(mono.pointSize(), 11));
    m_zone->setFont(mono);
    m_zone->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_zone->setTabChangesFocus(true);
    const QFontMetrics metrics(mono);
    const int frame = 2 * m_zone->frameWidth() + 2 * int(m_zone->document()->documentMargin());
    m_zone->setFixedSize(metrics.horizontalAdvance(QString(kLongestLine + 1, u'<')) + frame,
                         metrics.lineSpacing() * kMostLines + frame + 4);
    layout->addWidget(m_zone);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblSonuc"));
    m_result->setWordWrap(true);
    m_result->setTextFormat(Qt::PlainText);
    m_result->setMinimumHeight(QFontMetrics(font()).lineSpacing() * 5);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_result);

    auto *buttons = new QDialogButtonBox(this);
    m_accept = buttons->addButton(QStringLiteral("Aktar"), QDialogButtonBox::AcceptRole);
    m_accept->setObjectName(QStringLiteral("btnAktar"));
    m_accept->setToolTip(QStringLiteral("Okunan bilgileri misafir kaydına aktarır (Ctrl+Enter)"));
    buttons->addButton(QStringLiteral("Vazgeç"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter belongs to the box (it ends a line); Ctrl+Enter hands the fields over.
    m_zone->installEventFilter(this);
    connect(m_zone, &QPlainTextEdit::textChanged, this, &TFormMrzOku::readZone);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    temizle();
}

bool TFormMrzOku::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_zone && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers().testFlag(Qt::ControlModifier)) {
            if (m_accept->isEnabled())
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormMrzOku::temizle()
{
    m_zone->clear();
    readZone();
    m_zone->setFocus(Qt::OtherFocusReason);
}

void TFormMrzOku::readZone()
{
    const QString text = m_zone->toPlainText();
    const bool read = !text.trimmed().isEmpty() && m_cozucu.coz(text);
    m_alanlar = read ? m_cozucu.alanlar() : QVariantMap();
    m_accept->setEnabled(read);
    QPalette palette = m_result->palette();
    if (text.trimmed().isEmpty()) {
        m_result->setText(QStringLiteral("Pasaportta 2 satır × 44, kimlik kartında 3 satır × 30 karakter."));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    } else if (!read) {
        m_result->setText(m_cozucu.hata());
        palette.setColor(QPalette::WindowText, kRefused);
    } else {
        const QString notice = m_cozucu.hata();
        m_result->setText(summary(m_alanlar) + (notice.isEmpty() ? QString() : QStringLiteral("\n") + notice));
        palette.setColor(QPalette::WindowText, notice.isEmpty() ? QColor(Qt::black) : kNotice);
    }
    m_result->setPalette(palette);
}

QString TFormMrzOku::summary(const QVariantMap &fields)
{
    const auto text = [&fields](const char *name) { return fields.value(QLatin1String(name)).toString(); };
    QStringList lines;
    lines << QStringLiteral("Soyadı: %1    Adı: %2").arg(text("SOYADI"), text("ADI"));
    static const QHash<QString, QString> kinds{{QStringLiteral("P"), QStringLiteral("Pasaport")},
                                               {QStringLiteral("A"), QStringLiteral("Avrupa Birliği Kimliği")},
                                               {QStringLiteral("N"), QStringLiteral("Nüfus Hüviyet Cüzdanı")},
                                               {QStringLiteral("D"), QStringLiteral("Diğer")}};
    lines << QStringLiteral("Belge: %1 %2    Uyruk: %3")
                 .arg(kinds.value(text("KIMLIKTURU")), text("KIMLIKSERINO"), text("UYRUGU"));
    const QString cinsiyet = text("CINSIYET") == QLatin1String("E")   ? QStringLiteral("Erkek")
                             : text("CINSIYET") == QLatin1String("K") ? QStringLiteral("Kadın")
                                                                      : QString();
    lines << QStringLiteral("Doğum tarihi: %1    Cinsiyet: %2")
                 .arg(fields.value(QStringLiteral("DOGUMTARIHI")).toDate().toString(QStringLiteral("dd.MM.yyyy")), cinsiyet);
    if (fields.contains(QStringLiteral("TCNO")))
        lines << QStringLiteral("TC No: %1").arg(text("TCNO"));
    return lines.join(u'\n');
}
