#pragma once
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class Query;
class QToolButton;

// A record navigator over a query: a row of flat buttons that move through the records, insert,
// delete, edit, save, cancel and re-read them. Each button is enabled only while its operation
// makes sense in the query's state. The delete button asks first (unless switched off). What an
// operation throws is reported through the ErrorSink; a refusal (SilentAbort) stays silent.
class DbNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    Q_ENUM(Button)
    static constexpr int kButtonCount = 10;

    // Every button in the order the navigator shows them.
    static QList<Button> allButtons();
    static QString defaultHint(Button button);
    // The question the delete button asks before it deletes.
    static QString deleteQuestion();

    explicit DbNavigator(QWidget *parent = nullptr);

    void setQuery(Query *query);
    Query *query() const { return m_query; }

    // Shows only the listed buttons; the order on screen stays the standard one.
    void setVisibleButtons(const QList<Button> &buttons);
    bool isButtonVisible(Button button) const;
    // Hints in button order, First to Refresh; entries beyond the ten buttons are ignored and a
    // short list leaves the remaining buttons' hints as they were.
    void setHints(const QStringList &hints);
    QString hint(Button button) const;
    QToolButton *button(Button button) const { return m_buttons[index(button)]; }

    void setConfirmDelete(bool confirm) { m_confirmDelete = confirm; }
    bool confirmDelete() const { return m_confirmDelete; }

    // Replaces what a button does with the query (a delete inside a transaction of the caller,
    // say); an empty action puts the standard one back. The delete question is still asked first.
    void setAction(Button button, std::function<void()> action);

    // Does what pressing the button does; a disabled button does nothing.
    void click(Button button);

signals:
    // A button's operation ran to its end without an error or a refusal.
    void clicked(DbNavigator::Button button);

private:
    static int index(Button button) { return int(button); }
    void runStandard(Button button);
    void updateButtons();
    bool shouldEnable(Button button) const;

    QPointer<Query> m_query;
    std::array<QToolButton *, kButtonCount> m_buttons{};
    std::array<std::function<void()>, kButtonCount> m_actions;
    bool m_confirmDelete = true;
};
