#pragma once
#include <QDate>
#include <QDateEdit>
#include <QString>

class EditorBinding;

// A date editor with a drop-down calendar that can hold no date at all: a NULL date shows as an
// empty field, not as a placeholder date. Delete or Backspace empties it; typing a digit, a step
// key or a pick in the calendar gives it a date again.
//
// Its earliest and latest dates are limits on what the user enters, not on what the program
// shows: a value typed or picked outside them is moved to the nearest limit when the entry is
// finished (Enter, leaving the field, a pick in the calendar), without a message. A stored value
// outside the limits is shown as it is, so that opening a record never changes it.
class NullableDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit NullableDateEdit(QWidget *parent = nullptr);

    bool isNull() const { return m_null; }
    // The date shown; an invalid date when the editor is empty.
    QDate nullableDate() const;
    // Shows a date, or nothing for an invalid date. Counts as the program's change, not the user's.
    void setNullableDate(const QDate &date);
    // Empties the editor as the program's change.
    void clear() override;

    // The limits of what the user may enter; an invalid date means no limit on that side.
    QDate earliestDate() const { return m_earliest; }
    void setEarliestDate(const QDate &date);
    QDate latestDate() const { return m_latest; }
    void setLatestDate(const QDate &date);
    // The date nearest to `date` within the limits.
    QDate withinLimits(const QDate &date) const;

    // The title of the calendar window.
    QString calendarTitle() const;
    void setCalendarTitle(const QString &title);

    // Ends the entry in progress: a date outside the limits moves to the nearest limit. Runs by
    // itself on Enter, on leaving the editor and on a pick in the calendar.
    void finishEntry();

    // Shows the field of the binding's query in the editor and writes what the user enters.
    static void bindField(EditorBinding &binding, NullableDateEdit *editor, const QString &fieldName);

signals:
    // The user changed the value: typed, picked, emptied it, or the entry was moved into the limits.
    void dateEdited();
    // The shown value changed, by the user or by the program.
    void shownDateChanged();

protected:
    QString textFromDateTime(const QDateTime &dateTime) const override;
    QDateTime dateTimeFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void onDateChanged();
    void onCalendarPick();
    void moveToNextPart();
    // Leaves the empty state on the user's first input, starting from today within the limits.
    void startFromEmpty();
    void setNullByUser();
    // Sets the date as the program's change and redraws the text even when the date stays.
    void showDate(const QDate &date);
    // The date kept behind an empty field: the one the calendar opens on.
    QDate restingDate() const;

    bool m_null = true;
    // Whether the date shown was typed or picked since the program last set one.
    bool m_entered = false;
    int m_programChange = 0;
    QDate m_earliest;
    QDate m_latest;
};
