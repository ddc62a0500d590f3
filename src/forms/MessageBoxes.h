#pragma once
// The standard message boxes of the program. Every box passes through one presenter, so that a
// test can answer or capture it; without a presenter the real QMessageBox is shown.
#include <QMap>
#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace MessageBoxes {

enum class Kind { Message, Information, Warning, Error };

struct Request {
    Kind kind = Kind::Message;
    QWidget *parent = nullptr;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Captions that replace the toolkit's own for some of the buttons.
    QMap<QMessageBox::StandardButton, QString> captions = {};
};

// The plain box with an OK button, titled with the program's name.
void showMessage(QWidget *parent, const QString &text);
void showInformation(QWidget *parent, const QString &text);
void showWarning(QWidget *parent, const QString &text);
// The box of the general error handler: the error's own text and an OK button.
void showError(QWidget *parent, const QString &text);
// A confirmation question: a warning box with the button `accept` (OK or Yes) and Cancel, Cancel
// being the default, so that a hurried Enter never confirms. True only when `accept` was pressed.
bool confirm(QWidget *parent, const QString &text, QMessageBox::StandardButton accept = QMessageBox::Ok);

// What to do with changes that are not saved yet, before they would be lost.
enum class PendingChanges { Save, Discard, Stay };
// The question "Değişiklikler kaydedilsin mi?" with Kaydet, Kaydetme and Vazgeç; Vazgeç is the
// default and the answer of Escape or of closing the box.
PendingChanges askSaveChanges(QWidget *parent);
QString saveChangesQuestion();

// Shows any box and returns the button that closed it.
QMessageBox::StandardButton ask(const Request &request);

// --- Seam for tests ---

// Receives every request in place of a real box and returns the answer. An empty function shows
// real boxes again.
using Presenter = std::function<QMessageBox::StandardButton(const Request &request)>;

// Installs a presenter and returns the one it replaces.
Presenter setPresenter(Presenter presenter);

// Installs a presenter for the life of the guard and puts the previous one back afterwards.
class ScopedPresenter {
public:
    explicit ScopedPresenter(Presenter presenter);
    ~ScopedPresenter();
    ScopedPresenter(const ScopedPresenter &) = delete;
    ScopedPresenter &operator=(const ScopedPresenter &) = delete;

private:
    Presenter m_previous;
};

} // namespace MessageBoxes
