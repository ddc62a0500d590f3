#include "forms/TFormAyar.h"

#include "controls/IconList.h"
#include "controls/TVrnHeaderPanel.h"
#include "db/EditorBinding.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "privacy/KeepingPeriodField.h"
#include "privacy/PrivacySchema.h"
#include "schedule/ScheduleBox.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSettingsIcon = 121;
constexpr int kChooseFolderIcon = 45;

QString chooseWithSystemDialog(QWidget *parent, const QString &title, const QString &startFolder)
{
    // There are no drive roots here, so the dialog is not restricted to one; it offers a button
    // for a new folder.
    return QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
}

QToolButton *navigatorButton(QWidget *parent, const char *name, QStyle::StandardPixmap glyph, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(glyph));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

QAction *chooserAction(QObject *parent, const char *name, const QIcon &icon)
{
    auto *action = new QAction(icon, QStringLiteral("Seç..."), parent);
    action->setObjectName(QLatin1String(name));
    // A tool button drops the trailing dots of an action's text unless the icon text is given.
    action->setIconText(action->text());
    return action;
}

} // namespace

TFormAyar::TFormAyar(Database *db, IconList *icons, QWidget *parent)
    : TMyformbase(parent), m_ayar(db, this), m_binding(new EditorBinding(this)), m_chooseFolder(chooseWithSystemDialog)
{
    setObjectName(QStringLiteral("FormAyar"));
    setWindowTitle(QStringLiteral("Ayarlar"));
    m_ayar.setObjectName(QStringLiteral("fdqry_ayar"));
    m_ayar.setSql(QStringLiteral("SELECT * FROM AYAR WHERE IDAYAR=1"));
    buildControls(icons);
    m_binding->setQuery(&m_ayar);
    m_binding->bind(m_akbsEdit, QStringLiteral("AKBXMLDIZIN"));
    m_binding->bind(m_jkbsEdit, QStringLiteral("JKBXMLDIZIN"));
    m_binding->bind(m_keepingYearsEdit, QLatin1String(PrivacySchema::kKeepingYearsColumn));
    connect(m_binding, &EditorBinding::stateChange, this, &TFormAyar::updateNavigator);
    updateNavigator();
}

void TFormAyar::buildControls(IconList *icons)
{
    m_header = new TVrnHeaderPanel(this);
    m_header->setImages(icons);
    m_header->setImageIndex(kSettingsIcon);
    m_header->LabelCap()->setText(QStringLiteral("AYARLAR"));
    m_postButton = navigatorButton(this, "dbnvgrPost", QStyle::SP_DialogApplyButton, QStringLiteral("Düzenlemeyi Kaydet"));
    m_cancelButton = navigatorButton(this, "dbnvgrCancel", QStyle::SP_DialogCancelButton, QStringLiteral("Düzenlemeden Vazgeç"));
    m_header->addRightWidget(m_postButton);
    m_header->addRightWidget(m_cancelButton);
    connect(m_postButton, &QToolButton::clicked, this, &TFormAyar::dbnvgrPostClick);
    connect(m_cancelButton, &QToolButton::clicked, this, &TFormAyar::dbnvgrCancelClick);

    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scrlbx1"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(buildFolderArea(icons));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(scroller, 1);

    // As high as the two folder rows need with the desktop's font, so nothing is cut off.
    setFixedSize(520, sizeHint().height());
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
}

QWidget *TFormAyar::buildFolderArea(IconList *icons)
{
    auto *area = new QWidget;
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    const auto addFolderRow = [&](int row, const QString &caption, const char *editName, const char *buttonName,
                                  QAction *action) {
        auto *label = new QLabel(caption, area);
        auto *edit = new QLineEdit(area);
        edit->setObjectName(QLatin1String(editName));
        label->setBuddy(edit);
        auto *button = new QToolButton(area);
        button->setObjectName(QLatin1String(buttonName));
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(edit, row + 1, 0);
        grid->addWidget(button, row + 1, 1);
        return edit;
    };

    // Both choosers show the folder picture, so that the two buttons line up.
    const QIcon folderIcon = icons ? icons->icon(kChooseFolderIcon) : QIcon();
    m_actakbssec = chooserAction(this, "actakbssec", folderIcon);
    m_actjkbssec = chooserAction(this, "actjkbssec", folderIcon);
    connect(m_actakbssec, &QAction::triggered, this, &TFormAyar::actakbssecExecute);
    connect(m_actjkbssec, &QAction::triggered, this, &TFormAyar::actjkbssecExecute);

    m_akbsEdit = addFolderRow(0, QStringLiteral("POLIS AKBS XML DIZINI"), "dbedtAKBXMLDIZIN", "btnakbssec", m_actakbssec);
    grid->setRowMinimumHeight(2, 8);
    m_jkbsEdit = addFolderRow(3, QStringLiteral("JANDARMA JKBS XML DIZINI"), "dbedtJKBXMLDIZIN", "btnjkbssec", m_actjkbssec);
    grid->setRowMinimumHeight(5, 8);
    m_keepingYearsEdit = KeepingPeriodField::addTo(*grid, 6, area);
    grid->setRowMinimumHeight(8, 10);
    m_schedule = new ScheduleBox(area);
    grid->addWidget(m_schedule, 9, 0, 1, 2);
    grid->setRowStretch(10, 1);
    return area;
}

void TFormAyar::setFolderChooser(FolderChooser chooser)
{
    m_chooseFolder = chooser ? std::move(chooser) : FolderChooser(chooseWithSystemDialog);
}

QString TFormAyar::baslangicDizini(const QString &editText, const QString &defaultFolder)
{
    if (!editText.isEmpty() && QFileInfo(editText).isDir())
        return editText;
    if (QFileInfo(defaultFolder).isDir())
        return defaultFolder;
    return QStringLiteral("/");
}

void TFormAyar::FormShow()
{
    m_ayar.open();
    m_schedule->refresh();
    for (QLineEdit *edit : {m_akbsEdit, m_jkbsEdit}) {
        if (const Field *field = m_binding->fieldOf(edit); field && field->size() > 0)
            edit->setMaxLength(field->size());
    }
}

void TFormAyar::FormClose()
{
    // Closing the query drops an edit that was not saved.
    m_ayar.close();
}

void TFormAyar::actakbssecExecute()
{
    secDizin(m_akbsEdit, QStringLiteral("AKBXMLDIZIN"), QLatin1String(kAkbsDefaultFolder));
}

void TFormAyar::actjkbssecExecute()
{
    secDizin(m_jkbsEdit, QStringLiteral("JKBXMLDIZIN"), QLatin1String(kJkbsDefaultFolder));
}

// The chosen folder goes into the row as the dialog returns it; it is stored only by the save
// button.
void TFormAyar::secDizin(QLineEdit *edit, const QString &column, const QString &defaultFolder)
{
    const QString chosen = m_chooseFolder(this, QStringLiteral("Dizin seçin"), baslangicDizini(edit->text(), defaultFolder));
    if (chosen.isEmpty())
        return;
    ErrorSink::guard([&] {
        if (!m_ayar.isEditing())
            m_ayar.edit();
        m_ayar.fieldByName(column).setValue(chosen);
    });
}

void TFormAyar::dbnvgrPostClick()
{
    ErrorSink::guard([this] { m_ayar.post(); });
}

void TFormAyar::dbnvgrCancelClick()
{
    ErrorSink::guard([this] { m_ayar.cancel(); });
}

void TFormAyar::updateNavigator()
{
    const bool editing = m_ayar.isEditing();
    m_postButton->setEnabled(editing);
    m_cancelButton->setEnabled(editing);
}
