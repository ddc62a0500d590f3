#include "forms/TFrameMisafirEdit.h"

#include "controls/DbLookupComboBox.h"
#include "controls/DbRadioGroup.h"
#include "controls/NullableDateEdit.h"
#include "data/Tdm1.h"
#include "db/EditorBinding.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/StoredValue.h"
#include "forms/MessageBoxes.h"
#include "gen/FieldSetRoutines.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Left edges of the three columns of editors, and of the room lookup.
constexpr int kColumn1 = 16;
constexpr int kColumn2 = 148;
constexpr int kColumn3 = 280;
constexpr int kRoomLeft = 292;
constexpr int kEditorWidth = 121;
constexpr int kDoubleWidth = kColumn2 - kColumn1 + kEditorWidth;
constexpr int kFullWidth = kColumn3 - kColumn1 + kEditorWidth;
constexpr int kRoomWidth = kColumn3 + kEditorWidth - kRoomLeft;
// A choice takes the column's gap as well, so that both its items fit side by side.
constexpr int kChoiceWidth = kColumn2 - kColumn1 - 4;
constexpr int kTopMargin = 6;
constexpr int kRowGap = 5;
constexpr int kRoomDropDownWidth = 250;

const QColor kAlwaysRequired(128, 0, 0); // maroon
const QColor kCitizenData(128, 0, 128);  // purple
const QColor kOptional(0, 0, 0);         // black
const QColor kRoom(0, 0, 128);           // navy
const QColor kFilledChoice(0, 84, 166);  // caption of a choice filled from elsewhere

constexpr const char *kMarkedProperty = "selvaneGerekli";

const QString kRoomListSql = QStringLiteral(
    "SELECT * FROM ODAEV LEFT JOIN TESISLER ON ODAEV._IDTESISLER=TESISLER.IDTESISLER "
    "ORDER BY TESISAKTIF,TESISADI,ODAEVNO");

// Places labels and editors row by row on the scrolling area, at the fixed column edges; the
// row height follows the font, so nothing is cut off with the desktop's font.
class EditorPlacer {
public:
    explicit EditorPlacer(QWidget *area)
        : m_area(area), m_labelHeight(area->fontMetrics().height()), m_editorHeight(QLineEdit().sizeHint().height())
    {
    }

    QLabel *place(QWidget *editor, int left, int width, const QString &caption, const QColor &colour)
    {
        auto *label = new QLabel(caption, m_area);
        label->setObjectName(QStringLiteral("lbl_") + editor->objectName());
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        label->setBuddy(editor);
        label->setGeometry(left, m_y, width, m_labelHeight);
        editor->setGeometry(left, m_y + m_labelHeight + 1, width, m_editorHeight);
        return label;
    }

    // A choice carries its own caption, so it takes the height of a label and an editor.
    void placeChoice(DbRadioGroup *group, int left, int width)
    {
        group->setGeometry(left, m_y, width, m_labelHeight + 1 + m_editorHeight);
    }

    void sectionTitle(const QString &text, const char *name)
    {
        auto *title = new QLabel(text, m_area);
        title->setObjectName(QLatin1String(name));
        QFont font = title->font();
        font.setBold(true);
        font.setUnderline(true);
        title->setFont(font);
        title->setGeometry(kColumn1, m_y, kFullWidth, m_labelHeight + 2);
        m_y += m_labelHeight + 4;
    }

    void nextRow() { m_y += m_labelHeight + 1 + m_editorHeight + kRowGap; }
    int height() const { return m_y; }

private:
    QWidget *m_area;
    int m_labelHeight;
    int m_editorHeight;
    int m_y = kTopMargin;
};

template <typename Editor>
Editor *makeEditor(QWidget *area, const char *name)
{
    auto *editor = new Editor(area);
    editor->setObjectName(QLatin1String(name));
    return editor;
}

void limitToDigits(QLineEdit *editor, int digits)
{
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), editor));
}

// A time editor's text is written to its field once it reads as a time (or is empty).
bool readsAsTime(const QString &text)
{
    return text.isEmpty() || StoredValue::parseTime(text).isValid();
}

bool isMarkable(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QDateTimeEdit *>(widget);
}

} // namespace

TFrameMisafirEdit::TFrameMisafirEdit(Tdm1 *dataModule, QWidget *parent)
    : TFrameBase(parent), m_dm(dataModule), m_odaev(dataModule->dbMain(), this), m_dsMisafir(new EditorBinding(this))
{
    setObjectName(QStringLiteral("FrameMisafirEdit"));
    // The window parks the focus here when it closes, off the editors.
    setFocusPolicy(Qt::ClickFocus);
    m_odaev.setObjectName(QStringLiteral("fdqry_odaev"));
    m_odaev.setSql(kRoomListSql);
    m_odaev.setReadOnly(true);
    m_dsMisafir->setObjectName(QStringLiteral("ds_misafir"));
    m_dsMisafir->setAutoEdit(true);
    buildEditors();
    bindEditors();
    connect(m_dsMisafir, &EditorBinding::dataChange, this, &TFrameMisafirEdit::ds_misafirDataChange);
    connect(m_gelisTarih, &NullableDateEdit::shownDateChanged, this, &TFrameMisafirEdit::jvdbdtdtGELISTARIHChange);
}

TFrameMisafirEdit::~TFrameMisafirEdit()
{
    // The guest query outlives the frame; it must not keep calling into it.
    if (m_misafir)
        m_misafir->onNewRecord = nullptr;
}

void TFrameMisafirEdit::buildEditors()
{
    m_area = new QWidget;
    m_area->setObjectName(QStringLiteral("scrlbx1Contents"));
    EditorPlacer placer(m_area);

    m_kimlikTuru = makeEditor<DbLookupComboBox>(m_area, "dblkcbbKIMLIKTURU");
    placer.place(m_kimlikTuru, kColumn1, kEditorWidth, QStringLiteral("KIMLIK TURU"), kAlwaysRequired);
    auto *seriNo = makeEditor<QLineEdit>(m_area, "dbedtKIMLIKSERINO");
    placer.place(seriNo, kColumn2, kEditorWidth, QStringLiteral("KIMLIK SERINO"), kAlwaysRequired);
    m_uyruk = makeEditor<DbLookupComboBox>(m_area, "dblkcbbUYRUGU");
    placer.place(m_uyruk, kColumn3, kEditorWidth, QStringLiteral("UYRUGU"), kAlwaysRequired);
    placer.nextRow();

    placer.place(makeEditor<QLineEdit>(m_area, "dbedtADI"), kColumn1, kEditorWidth, QStringLiteral("ADI"), kAlwaysRequired);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtSOYADI"), kColumn2, kEditorWidth, QStringLiteral("SOYADI"), kAlwaysRequired);
    m_tcNo = makeEditor<QLineEdit>(m_area, "dbedtTCNO");
    placer.place(m_tcNo, kColumn3, kEditorWidth, QStringLiteral("TC NO"), kCitizenData);
    placer.nextRow();

    placer.place(makeEditor<QLineEdit>(m_area, "dbedtDOGUMYERI"), kColumn1, kEditorWidth, QStringLiteral("DOGUM YERI"), kAlwaysRequired);
    m_dogumTarihi = makeEditor<NullableDateEdit>(m_area, "jvdbdtdtDOGUMTARIHI");
    placer.place(m_dogumTarihi, kColumn2, kEditorWidth, QStringLiteral("DOGUM TARIHI"), kAlwaysRequired);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtBABAADI"), kColumn3, kEditorWidth, QStringLiteral("BABAADI"), kAlwaysRequired);
    placer.nextRow();

    m_cinsiyet = new DbRadioGroup(QStringLiteral("CİNSİYET"), m_area);
    m_cinsiyet->setObjectName(QStringLiteral("dbrgrpCINSIYET"));
    m_cinsiyet->setItems({QStringLiteral("Erkek"), QStringLiteral("Kadın")});
    m_cinsiyet->setValues({QStringLiteral("E"), QStringLiteral("K")});
    placer.placeChoice(m_cinsiyet, kColumn1, kChoiceWidth);
    // The window gives this choice its stored values.
    m_medeniDurum = new DbRadioGroup(QStringLiteral("MEDENİ DURUM"), m_area);
    m_medeniDurum->setObjectName(QStringLiteral("dbrgrpMEDENIDURUM"));
    m_medeniDurum->setItems({QStringLiteral("Bekar"), QStringLiteral("Evli")});
    placer.placeChoice(m_medeniDurum, kColumn2, kChoiceWidth);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtANAADI"), kColumn3, kEditorWidth, QStringLiteral("ANAADI"), kOptional);
    placer.nextRow();

    placer.place(makeEditor<QLineEdit>(m_area, "dbedtIKAMETADRESI"), kColumn1, kDoubleWidth, QStringLiteral("IKAMET ADRESI"), kAlwaysRequired);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtARACPLAKANO"), kColumn3, kEditorWidth, QStringLiteral("ARAC PLAKANO"), kOptional);
    placer.nextRow();

    placer.place(makeEditor<QLineEdit>(m_area, "dbedtMESLEGI"), kColumn1, kDoubleWidth, QStringLiteral("İŞİ/MESLEĞİ"), kOptional);
    placer.nextRow();

    placer.sectionTitle(QStringLiteral("TC VATANDAŞI İÇİN"), "lblTcVatandasi");
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNUFUSKAYITIL"), kColumn1, kEditorWidth, QStringLiteral("NUFUSKAYIT IL"), kCitizenData);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNUFUSKAYITILCE"), kColumn2, kEditorWidth, QStringLiteral("NUFUSKAYIT ILCE"), kCitizenData);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNUFUSKAYITMAH"), kColumn3, kEditorWidth, QStringLiteral("NUFUSKAYIT MAH"), kCitizenData);
    placer.nextRow();
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNUFUSCILT"), kColumn1, kEditorWidth, QStringLiteral("NUFUS CILT"), kCitizenData);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNUFUSAILESIRANO"), kColumn2, kEditorWidth, QStringLiteral("NUFUS AILE SIRANO"), kCitizenData);
    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNUFUSSIRANO"), kColumn3, kEditorWidth, QStringLiteral("NUFUS SIRANO"), kCitizenData);
    placer.nextRow();

    placer.sectionTitle(QStringLiteral("KONAKLAMA BİLGİLERİ"), "lblKonaklama");
    m_gelisTarih = makeEditor<NullableDateEdit>(m_area, "jvdbdtdtGELISTARIH");
    m_gelisTarih->setCalendarTitle(QStringLiteral("Tarih Seç"));
    placer.place(m_gelisTarih, kColumn1, kEditorWidth, QStringLiteral("GELIS TARIH"), kAlwaysRequired);
    m_gelisSaat = makeEditor<QLineEdit>(m_area, "dbedtGELISSAAT");
    placer.place(m_gelisSaat, kColumn2, kEditorWidth, QStringLiteral("GELIS SAAT"), kAlwaysRequired);
    m_odaevBox = makeEditor<DbLookupComboBox>(m_area, "dblkcbbODAEV");
    m_odaevBox->setDropDownWidth(kRoomDropDownWidth);
    m_odaevBox->setClearOnCtrlDelete(true);
    placer.place(m_odaevBox, kRoomLeft, kRoomWidth, QStringLiteral("VERİLEN ODA/EV"), kRoom);
    placer.nextRow();

    m_ayrilisTarih = makeEditor<NullableDateEdit>(m_area, "jvdbdtdtAYRILISTARIH");
    m_ayrilisTarih->setCalendarTitle(QStringLiteral("Tarih Seç"));
    placer.place(m_ayrilisTarih, kColumn1, kEditorWidth, QStringLiteral("AYRILIS TARIH"), kOptional);
    m_ayrilisSaat = makeEditor<QLineEdit>(m_area, "dbedtAYRILISSAAT");
    placer.place(m_ayrilisSaat, kColumn2, kEditorWidth, QStringLiteral("AYRILIS SAAT"), kOptional);
    placer.nextRow();

    placer.place(makeEditor<QLineEdit>(m_area, "dbedtNOTLAR"), kColumn1, kFullWidth, QStringLiteral("NOTLARIM"), kOptional);
    placer.nextRow();

    m_area->setFixedSize(kColumn3 + kEditorWidth + kColumn1, placer.height());

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrlbx1"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidget(m_area);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
}

void TFrameMisafirEdit::bindEditors()
{
    EditorBinding &binding = *m_dsMisafir;
    DbLookupComboBox::bindField(binding, m_kimlikTuru, QStringLiteral("KIMLIKTURU"));
    DbLookupComboBox::bindField(binding, m_uyruk, QStringLiteral("UYRUGU"));
    DbLookupComboBox::bindField(binding, m_odaevBox, QStringLiteral("_IDODAEV"));
    DbRadioGroup::bindField(binding, m_cinsiyet, QStringLiteral("CINSIYET"));
    DbRadioGroup::bindField(binding, m_medeniDurum, QStringLiteral("MEDENIDURUM"));
    NullableDateEdit::bindField(binding, m_dogumTarihi, QStringLiteral("DOGUMTARIHI"));
    NullableDateEdit::bindField(binding, m_gelisTarih, QStringLiteral("GELISTARIH"));
    NullableDateEdit::bindField(binding, m_ayrilisTarih, QStringLiteral("AYRILISTARIH"));
    bindTimeEditor(m_gelisSaat, QStringLiteral("GELISSAAT"));
    bindTimeEditor(m_ayrilisSaat, QStringLiteral("AYRILISSAAT"));

    // The identity number is an unsigned 64-bit column, the civil-registry numbers 32-bit ones:
    // only digits can be typed, so that no keystroke makes a value the field cannot read.
    limitToDigits(m_tcNo, 19);
    for (const char *name : {"dbedtNUFUSCILT", "dbedtNUFUSAILESIRANO", "dbedtNUFUSSIRANO"})
        limitToDigits(m_area->findChild<QLineEdit *>(QLatin1String(name)), 9);

    const QList<QLineEdit *> edits = m_area->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly);
    for (QLineEdit *edit : edits) {
        if (binding.fieldNameOf(edit).isEmpty() && edit->objectName().startsWith(QLatin1String("dbedt")))
            binding.bind(edit, edit->objectName().mid(5));
    }
}

// A time is written once the text reads as one; the digits typed on the way there are not yet
// a time, so they only start the editing. Text left unreadable is reported when the editor is
// left, with the field's own message.
void TFrameMisafirEdit::bindTimeEditor(QLineEdit *editor, const QString &fieldName)
{
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,2}([:.]\\d{0,2}([:.]\\d{0,2}(\\.\\d{0,3})?)?)?")), editor));
    m_dsMisafir->bindCustom(editor, fieldName, EditorBinding::showInLineEdit, EditorBinding::storeFromLineEdit);
    connect(editor, &QLineEdit::textEdited, this, [this, editor](const QString &text) {
        if (readsAsTime(text)) {
            m_dsMisafir->editorChanged(editor);
            return;
        }
        Query *query = m_dsMisafir->query();
        if (query && query->isOpen() && !query->isEditing())
            ErrorSink::guard([query] { query->edit(); });
    });
    connect(editor, &QLineEdit::editingFinished, this, [this, editor] {
        if (!readsAsTime(editor->text()))
            m_dsMisafir->editorChanged(editor);
    });
}

void TFrameMisafirEdit::prepareRoomList()
{
    if (TDataTanimlari *fieldSets = m_dm->FDT()) {
        applyFieldSetFirstShow(*fieldSets, QStringLiteral("ODAEV"), m_odaev, nullptr);
        return;
    }
    alanlariOlustur(m_odaev);
    for (int i = 0; i < m_odaev.fieldCount(); ++i)
        m_odaev.field(i)->setVisible(false);
}

void TFrameMisafirEdit::fillLookups()
{
    Query *identityTypes = m_dm->fdqry_kimlikturu();
    if (identityTypes->isOpen())
        m_kimlikTuru->fillFrom(*identityTypes, QStringLiteral("KIMLIKTURUKODU"), {QStringLiteral("KIMLIKTURUADI")},
                               QStringLiteral("KIMLIKTURUADI"));
    Query *nationalities = m_dm->fdqry_uyruk();
    if (nationalities->isOpen())
        m_uyruk->fillFrom(*nationalities, QStringLiteral("UYRUKKODU"), {QStringLiteral("UYRUKADI")},
                          QStringLiteral("UYRUKADI"));
}

void TFrameMisafirEdit::doshow()
{
    if (!DoneFirst) {
        prepareRoomList();
        fillLookups();
        DoneFirst = true;
    }
    const QDate today = QDate::currentDate();
    m_gelisTarih->setLatestDate(today);
    m_dogumTarihi->setLatestDate(today);

    m_odaev.open();
    m_odaevBox->fillFrom(m_odaev, QStringLiteral("IDODAEV"), {QStringLiteral("TESISADI"), QStringLiteral("ODAEVNO")},
                         QStringLiteral("ODAEVNO"));
    const bool hasRooms = !m_odaev.isEmpty();
    setDataSourceEnabled(hasRooms);
    if (!hasRooms) {
        MessageBoxes::showMessage(this, QStringLiteral("Tesis tanımları eksik!"));
        return;
    }
    if (!m_misafir)
        return;
    m_misafir->onNewRecord = [this](Query &query) { fdqry_misafirNewRecord(query); };
    // The opener inserted the row before this handler was bound: a fresh row is inserted again
    // so that it gets the defaults.
    if (m_misafir->state() == Query::State::Insert && !rowChanged()) {
        m_misafir->cancel();
        m_misafir->insert();
    }
}

void TFrameMisafirEdit::dohide()
{
    m_odaev.close();
    m_odaevBox->clearList();
    if (m_misafir)
        m_misafir->onNewRecord = nullptr;
}

void TFrameMisafirEdit::setMisafirDataSet(Query *query)
{
    if (m_misafir)
        disconnect(m_misafir, nullptr, this, nullptr);
    m_misafir = query;
    m_newRowUntouched = false;
    if (query) {
        connect(query, &Query::fieldChanged, this, &TFrameMisafirEdit::onMisafirFieldChanged);
        connect(query, &Query::stateChanged, this, &TFrameMisafirEdit::onMisafirStateChanged);
        connect(query, &Query::currentRowChanged, this, &TFrameMisafirEdit::onMisafirStateChanged);
    }
    m_dsMisafir->setQuery(m_dataSourceEnabled ? query : nullptr);
    limitTextLengths();
}

void TFrameMisafirEdit::setDataSourceEnabled(bool enabled)
{
    m_dataSourceEnabled = enabled;
    Query *wanted = enabled ? m_misafir : nullptr;
    if (m_dsMisafir->query() != wanted)
        m_dsMisafir->setQuery(wanted);
    else
        m_dsMisafir->refreshEditors();
    limitTextLengths();
}

void TFrameMisafirEdit::limitTextLengths()
{
    const QList<QLineEdit *> edits = m_area->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly);
    for (QLineEdit *edit : edits) {
        const Field *field = m_dsMisafir->fieldOf(edit);
        if (!field || !isTextType(field->type()) || field->size() <= 0 || edit->maxLength() == field->size())
            continue;
        // A new limit sets the text again, which leaves it scrolled to its end.
        edit->setMaxLength(field->size());
        edit->setCursorPosition(0);
    }
}

bool TFrameMisafirEdit::rowChanged() const
{
    return m_misafir && m_misafir->isEditing() && m_misafir->isModified() && !m_newRowUntouched;
}

void TFrameMisafirEdit::onMisafirFieldChanged(Field *field)
{
    if (!m_applyingDefaults)
        m_newRowUntouched = false;
    // A filled value that the operator changes is the operator's own from then on.
    if (!m_filling && field)
        m_filled.remove(field->name().toUpper());
}

void TFrameMisafirEdit::onMisafirStateChanged()
{
    if (!m_applyingDefaults && (!m_misafir || m_misafir->state() != Query::State::Insert))
        m_newRowUntouched = false;
    if (!m_misafir || !m_misafir->isEditing())
        m_filled.clear();
}

void TFrameMisafirEdit::alanlariDoldur(const QVariantMap &values, const QString &kaynak)
{
    Query *query = m_dsMisafir->query();
    if (!query || !query->isOpen())
        return;
    if (!query->isEditing())
        query->edit();
    {
        const QScopedValueRollback filling(m_filling, true);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            Field *field = query->findField(it.key());
            if (!field)
                continue;
            if (it.value().typeId() == QMetaType::QString && !isTextType(field->type()))
                field->setAsString(it.value().toString());
            else
                field->setValue(it.value());
            m_filled.insert(field->name().toUpper(), kaynak);
        }
    }
    m_dsMisafir->refreshEditors();
    gerekliAlanIsaretle();
}

void TFrameMisafirEdit::fdqry_misafirNewRecord(Query &DataSet)
{
    m_applyingDefaults = true;
    const auto done = qScopeGuard([this] { m_applyingDefaults = false; });
    DataSet.fieldByName(QStringLiteral("GELISTARIH")).setValue(QDate::currentDate());
    // The arrival time is kept to the second, as it reads in the long time format.
    const QTime now = QTime::currentTime();
    DataSet.fieldByName(QStringLiteral("GELISSAAT")).setValue(QTime(now.hour(), now.minute(), now.second()));
    m_newRowUntouched = true;
}

void TFrameMisafirEdit::jvdbdtdtGELISTARIHChange()
{
    m_ayrilisTarih->setEarliestDate(m_gelisTarih->nullableDate());
}

void TFrameMisafirEdit::ds_misafirDataChange(Field *field)
{
    ErrorSink::guard([&] {
        clearRefusedMarkOnChange(field);
        // The arrival editor is loaded without signals when another row is shown.
        if (!field || field->name().compare(QLatin1String("GELISTARIH"), Qt::CaseInsensitive) == 0)
            jvdbdtdtGELISTARIHChange();
        gerekliAlanIsaretle();
    });
}

void TFrameMisafirEdit::gerekliAlanIsaretle()
{
    Query *query = m_dsMisafir->query();
    if (!query)
        return;
    kimlikvalid.Fields = query;
    kimlikvalid.buildReqFieldList();
    for (QObject *child : m_area->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        Field *field = control ? m_dsMisafir->fieldOf(control) : nullptr;
        if (!field)
            continue;
        const QString filledFrom = m_filled.value(field->name().toUpper());
        if (auto *choice = qobject_cast<DbRadioGroup *>(control)) {
            const bool needed = kimlikvalid.isfieldneed(field);
            choice->setCaptionColor(needed ? gerekliSecimRengi() : !filledFrom.isEmpty() ? kFilledChoice : QColor());
            choice->setToolTip(needed ? QString() : filledFrom);
        } else if (isMarkable(control)) {
            markEditor(control, kimlikvalid.isfieldneed(field), filledFrom);
        }
    }
}

// The theme gives the editors their background through a style sheet, so the marking is one as
// well; it names the editor's own class, so that its drop-down and calendar keep their colours.
void TFrameMisafirEdit::markEditor(QWidget *editor, bool needed, const QString &filledFrom)
{
    // An empty required field is yellow; a field filled from elsewhere is blue until checked.
    const int mark = needed ? 1 : filledFrom.isEmpty() ? 0 : 2;
    const QVariant marked = editor->property(kMarkedProperty);
    if (marked.isValid() && marked.toInt() == mark)
        return;
    editor->setProperty(kMarkedProperty, mark);
    editor->setToolTip(mark == 2 ? filledFrom : QString());
    applyMarks(editor);
}

// The marks in one style sheet: the yellow of a required field that is still empty or the blue of
// a field filled from elsewhere, and the red frame of the field a save was refused for.
void TFrameMisafirEdit::applyMarks(QWidget *editor)
{
    QStringList rules;
    if (const int mark = editor->property(kMarkedProperty).toInt(); mark != 0) {
        const QColor colour = mark == 1 ? gerekliAlanRengi() : doldurulanAlanRengi();
        rules << QStringLiteral("background-color: rgb(%1, %2, %3);").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    }
    if (editor == m_refusedEditor) {
        const QColor colour = reddedilenAlanRengi();
        rules << QStringLiteral("border: 2px solid rgb(%1, %2, %3);").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    }
    editor->setStyleSheet(rules.isEmpty() ? QString()
                                          : QStringLiteral("%1 { %2 }")
                                                .arg(QLatin1String(editor->metaObject()->className()),
                                                     rules.join(QLatin1Char(' '))));
}

// The one-second message of a refused save is easily missed; the editor keeps a red frame until
// its field changes or another row is shown.
void TFrameMisafirEdit::markRefused(QWidget *editor)
{
    QPointer<QWidget> previous = m_refusedEditor;
    m_refusedEditor = editor;
    if (previous && previous != editor)
        applyMarks(previous);
    applyMarks(editor);
}

void TFrameMisafirEdit::clearRefusedMarkOnChange(const Field *field)
{
    if (!m_refusedEditor)
        return;
    if (field && m_dsMisafir->editorFor(field->name()) != m_refusedEditor)
        return;
    QWidget *editor = m_refusedEditor;
    m_refusedEditor = nullptr;
    applyMarks(editor);
}

QWidget *TFrameMisafirEdit::editorFor(const Field *field) const
{
    return field ? editorFor(field->name()) : nullptr;
}

QWidget *TFrameMisafirEdit::editorFor(const QString &fieldName) const
{
    return m_dsMisafir->editorFor(fieldName);
}

bool TFrameMisafirEdit::focusField(const Field *field)
{
    if (!field || !focusField(field->name()))
        return false;
    markRefused(editorFor(field));
    return true;
}

bool TFrameMisafirEdit::focusField(const QString &fieldName)
{
    QWidget *editor = editorFor(fieldName);
    if (!editor)
        return false;
    m_scroll->ensureWidgetVisible(editor);
    if (auto *choice = qobject_cast<DbRadioGroup *>(editor))
        choice->focusChoice();
    else
        editor->setFocus(Qt::OtherFocusReason);
    return true;
}

QLabel *TFrameMisafirEdit::labelOf(const QWidget *editor) const
{
    const QList<QLabel *> labels = m_area->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    for (QLabel *label : labels) {
        if (label->buddy() == editor)
            return label;
    }
    return nullptr;
}

void TFrameMisafirEdit::commitPendingInput()
{
    QWidget *focused = QApplication::focusWidget();
    if (focused && (focused == m_gelisSaat || focused == m_ayrilisSaat)) {
        commitTimeText(static_cast<QLineEdit *>(focused));
        return;
    }
    for (QWidget *w = focused; w && w != this; w = w->parentWidget()) {
        if (auto *dateEdit = qobject_cast<NullableDateEdit *>(w)) {
            dateEdit->finishEntry();
            return;
        }
    }
}

// A time still being typed is not yet in the row; the save must not go on without it, so text
// that does not read as a time stops it with the field's own message.
void TFrameMisafirEdit::commitTimeText(QLineEdit *editor)
{
    if (readsAsTime(editor->text()))
        return;
    if (Field *field = m_dsMisafir->fieldOf(editor))
        field->setAsString(editor->text());
}
