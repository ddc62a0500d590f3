#include "controls/NullableDateEdit.h"

#include "db/EditorBinding.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

constexpr const char *kTitleLabelName = "calendarTitle";

bool isStepKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

bool startsWithDigit(const QKeyEvent *event)
{
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isDigit();
}

} // namespace

NullableDateEdit::NullableDateEdit(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    connect(this, &QDateEdit::dateChanged, this, &NullableDateEdit::onDateChanged);
    connect(this, &QAbstractSpinBox::editingFinished, this, &NullableDateEdit::finishEntry);
    // Asking for the calendar creates its pop-up, which connects to the calendar first; so a pick
    // reaches this editor after the pop-up has set the picked date.
    if (QCalendarWidget *calendar = calendarWidget()) {
        connect(calendar, &QCalendarWidget::clicked, this, &NullableDateEdit::onCalendarPick);
        connect(calendar, &QCalendarWidget::activated, this, &NullableDateEdit::onCalendarPick);
    }
    showDate(restingDate());
}

QDate NullableDateEdit::nullableDate() const
{
    return m_null ? QDate() : date();
}

void NullableDateEdit::setNullableDate(const QDate &value)
{
    const bool wasNull = m_null;
    const QDate before = date();
    m_null = !value.isValid();
    showDate(m_null ? restingDate() : value);
    if (wasNull != m_null || (!m_null && before != value)) {
        // Another date than the one entered is the program's, not the user's.
        m_entered = false;
        emit shownDateChanged();
    }
}

void NullableDateEdit::clear()
{
    setNullableDate(QDate());
}

void NullableDateEdit::setEarliestDate(const QDate &value)
{
    m_earliest = value;
    if (m_null)
        showDate(restingDate());
}

void NullableDateEdit::setLatestDate(const QDate &value)
{
    m_latest = value;
    if (m_null)
        showDate(restingDate());
}

QDate NullableDateEdit::withinLimits(const QDate &value) const
{
    QDate result = value;
    if (m_latest.isValid() && result > m_latest)
        result = m_latest;
    if (m_earliest.isValid() && result < m_earliest)
        result = m_earliest;
    return result;
}

QString NullableDateEdit::calendarTitle() const
{
    const QCalendarWidget *calendar = calendarWidget();
    return calendar ? calendar->window()->windowTitle() : QString();
}

// The pop-up has no title bar of its own, so the title stands as a line above the calendar.
void NullableDateEdit::setCalendarTitle(const QString &title)
{
    QCalendarWidget *calendar = calendarWidget();
    if (!calendar)
        return;
    QWidget *popup = calendar->window();
    popup->setWindowTitle(title);
    auto *label = popup->findChild<QLabel *>(QLatin1String(kTitleLabelName));
    if (!label) {
        auto *layout = qobject_cast<QBoxLayout *>(popup->layout());
        if (!layout)
            return;
        label = new QLabel(popup);
        label->setObjectName(QLatin1String(kTitleLabelName));
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        layout->insertWidget(0, label);
    }
    label->setText(title);
}

void NullableDateEdit::bindField(EditorBinding &binding, NullableDateEdit *editor, const QString &fieldName)
{
    binding.bindCustom(
        editor, fieldName,
        [](QWidget *w, const Field &f) {
            static_cast<NullableDateEdit *>(w)->setNullableDate(f.isNull() ? QDate() : f.asDate());
        },
        [](QWidget *w, Field &f) {
            const auto *e = static_cast<NullableDateEdit *>(w);
            if (e->isNull())
                f.clear();
            else
                f.setValue(e->nullableDate());
        });
    connect(editor, &NullableDateEdit::dateEdited, &binding, [&binding, editor] { binding.editorChanged(editor); });
}

QString NullableDateEdit::textFromDateTime(const QDateTime &dateTime) const
{
    return m_null ? QString() : QDateEdit::textFromDateTime(dateTime);
}

QDateTime NullableDateEdit::dateTimeFromText(const QString &text) const
{
    if (m_null && text.isEmpty())
        return dateTime();
    return QDateEdit::dateTimeFromText(text);
}

QValidator::State NullableDateEdit::validate(QString &input, int &pos) const
{
    if (m_null && input.isEmpty())
        return QValidator::Acceptable;
    return QDateEdit::validate(input, pos);
}

void NullableDateEdit::fixup(QString &input) const
{
    if (m_null && input.isEmpty())
        return;
    QDateEdit::fixup(input);
}

void NullableDateEdit::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        if (!m_null)
            setNullByUser();
        event->accept();
        return;
    }
    if (!m_null && event->text() == QLatin1String(".")) {
        moveToNextPart();
        event->accept();
        return;
    }
    if (m_null && !isReadOnly() && (startsWithDigit(event) || (plain && isStepKey(event->key())))) {
        startFromEmpty();
        if (isStepKey(event->key())) {
            event->accept();
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

void NullableDateEdit::stepBy(int steps)
{
    if (m_null) {
        startFromEmpty();
        return;
    }
    QDateEdit::stepBy(steps);
}

QAbstractSpinBox::StepEnabled NullableDateEdit::stepEnabled() const
{
    if (m_null)
        return isReadOnly() ? StepNone : StepEnabled(StepUpEnabled | StepDownEnabled);
    return QDateEdit::stepEnabled();
}

// Tab leaves the editor as it leaves any other field; the parts of the date are reached with
// the separator key and the arrow keys.
bool NullableDateEdit::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

// The separator ends the part being typed ("1." is the first day) and selects the next one. After
// a complete day or month the editor has moved on by itself; the separator typed out of habit
// then must not move it once more.
void NullableDateEdit::moveToNextPart()
{
    const bool partSelected = lineEdit()->hasSelectedText()
                              && lineEdit()->selectedText() == sectionText(currentSection());
    if (partSelected)
        return;
    interpretText();
    const int next = currentSectionIndex() + 1;
    if (next < sectionCount())
        setSelectedSection(sectionAt(next));
}

// An empty field has no parts to select.
void NullableDateEdit::focusInEvent(QFocusEvent *event)
{
    if (m_null) {
        QAbstractSpinBox::focusInEvent(event);
        return;
    }
    QDateEdit::focusInEvent(event);
}

void NullableDateEdit::onDateChanged()
{
    if (m_programChange > 0)
        return;
    m_null = false;
    m_entered = true;
    emit shownDateChanged();
    emit dateEdited();
}

// A pick of the date already behind an empty field changes no date, yet it is an entry.
void NullableDateEdit::onCalendarPick()
{
    if (m_null) {
        m_null = false;
        m_entered = true;
        showDate(date());
        emit shownDateChanged();
        emit dateEdited();
    }
    finishEntry();
}

void NullableDateEdit::finishEntry()
{
    // Only what the user entered is held to the limits: passing through a stored date leaves it.
    if (m_null || !m_entered)
        return;
    m_entered = false;
    const QDate limited = withinLimits(date());
    if (limited == date())
        return;
    showDate(limited);
    emit shownDateChanged();
    emit dateEdited();
}

void NullableDateEdit::startFromEmpty()
{
    m_null = false;
    m_entered = true;
    showDate(restingDate());
    setSelectedSection(QDateTimeEdit::DaySection);
    emit shownDateChanged();
    emit dateEdited();
}

void NullableDateEdit::setNullByUser()
{
    m_null = true;
    showDate(restingDate());
    emit shownDateChanged();
    emit dateEdited();
}

void NullableDateEdit::showDate(const QDate &value)
{
    ++m_programChange;
    {
        // The editor redraws its text only when the date changes; stepping away and back makes
        // it follow a change between empty and filled as well.
        const QSignalBlocker blocker(this);
        setDate(value == minimumDate() ? value.addDays(1) : value.addDays(-1));
        setDate(value);
    }
    --m_programChange;
}

QDate NullableDateEdit::restingDate() const
{
    return withinLimits(QDate::currentDate());
}
