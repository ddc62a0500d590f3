#pragma once
#include <QDialog>

class QKeyEvent;

// The base of every secondary window. Enter moves on to the next field in single-line edits and
// combo boxes, as Tab does. A window is created once and only hidden when it closes, so that its
// one-time preparations survive every showing; derived windows put their per-showing work in
// FormShow and their clean-up (cancel pending edits, close queries, stop timers) in FormClose.
class TMyformbase : public QDialog {
    Q_OBJECT
public:
    explicit TMyformbase(QWidget *parent = nullptr);

    // Whether Enter in this control moves the focus on: single-line edits (plain and data-bound)
    // and combo boxes (plain, data-bound, lookup), but not the line edit inside a date or number
    // editor, nor a cell editor of a grid, nor a control marked with keepEnterUsual.
    static bool passesEnterAsTab(const QWidget *control);
    // Lets a single-line edit keep the usual effect of Enter (a read-only display field, say).
    static void keepEnterUsual(QWidget *control);

    void setVisible(bool visible) override;

protected:
    // Runs each time the window is shown.
    virtual void FormShow() {}
    // Runs once each time the window is closed, however it is closed (close control, close(),
    // accept, reject, done). The window is hidden afterwards, never destroyed.
    virtual void FormClose() {}

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    bool CMDialogKey(QObject *receiver, QKeyEvent *event);
    void stopImplicitDefaultButtons();
    void runFormClose();

    bool m_closeHandled = true;
};
