#include "forms/TMyformbase.h"

#include "db/ErrorSink.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {
constexpr const char *kKeepEnterUsual = "selvaneKeepEnterUsual";

bool isEnterKey(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
           && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

template <typename Ancestor>
bool hasAncestor(const QWidget *widget)
{
    for (const QWidget *w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<const Ancestor *>(w))
            return true;
    }
    return false;
}
} // namespace

TMyformbase::TMyformbase(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Myformbase"));
    resize(447, 202);
    // Key presses are looked at before the focused control gets them, the way a dialog key is
    // offered to the window first.
    qApp->installEventFilter(this);
}

bool TMyformbase::passesEnterAsTab(const QWidget *control)
{
    if (!control || control->property(kKeepEnterUsual).toBool())
        return false;
    if (hasAncestor<QAbstractItemView>(control))
        return false;
    if (qobject_cast<const QComboBox *>(control))
        return true;
    if (!qobject_cast<const QLineEdit *>(control))
        return false;
    if (hasAncestor<QComboBox>(control))
        return !control->parentWidget()->property(kKeepEnterUsual).toBool();
    return !hasAncestor<QAbstractSpinBox>(control);
}

void TMyformbase::keepEnterUsual(QWidget *control) { control->setProperty(kKeepEnterUsual, true); }

bool TMyformbase::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this)
        return CMDialogKey(watched, static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

// Enter in a single-line edit or a combo box acts as Tab: forward, tab stops only. The key is
// used up, so it neither reaches the control nor presses a button.
bool TMyformbase::CMDialogKey(QObject *receiver, QKeyEvent *event)
{
    if (!isEnterKey(event) || receiver != focusWidget())
        return false;
    if (!passesEnterAsTab(focusWidget()))
        return false;
    focusNextChild();
    return true;
}

// What remains of the dialog keys once the controls have had them. Enter presses the focused
// push or tool button or a button made default on purpose, nothing else; Escape does not close
// the window, which has no cancel button.
void TMyformbase::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    if (isEnterKey(event)) {
        if (auto *button = qobject_cast<QAbstractButton *>(focusWidget()); button && button->isEnabled()
            && (qobject_cast<QPushButton *>(button) || qobject_cast<QToolButton *>(button))) {
            button->animateClick();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TMyformbase::setVisible(bool visible)
{
    if (visible && !isVisible())
        stopImplicitDefaultButtons();
    QDialog::setVisible(visible);
}

// A dialog would make its first push button the default, so that Enter in a date editor or a
// check box would press it (choose a folder, write the files). Only a button that a window makes
// default itself answers Enter.
void TMyformbase::stopImplicitDefaultButtons()
{
    const QList<QPushButton *> buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (!button->isDefault())
            button->setAutoDefault(false);
    }
}

void TMyformbase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_closeHandled = false;
    ErrorSink::guard([this] { FormShow(); });
}

void TMyformbase::closeEvent(QCloseEvent *event)
{
    runFormClose();
    QDialog::closeEvent(event);
}

void TMyformbase::done(int result)
{
    runFormClose();
    QDialog::done(result);
}

void TMyformbase::runFormClose()
{
    if (m_closeHandled)
        return;
    m_closeHandled = true;
    ErrorSink::guard([this] { FormClose(); });
}
