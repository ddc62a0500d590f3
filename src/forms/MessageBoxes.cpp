#include "forms/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>

namespace MessageBoxes {

namespace {

Presenter &currentPresenter()
{
    static Presenter presenter;
    return presenter;
}

QString programTitle()
{
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Selvane") : name;
}

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Information:
        return QMessageBox::Information;
    case Kind::Warning:
        return QMessageBox::Warning;
    case Kind::Error:
        return QMessageBox::Critical;
    case Kind::Message:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton showRealBox(const Request &request)
{
    QMessageBox box(iconOf(request.kind), request.title, request.text, request.buttons, request.parent);
    for (auto caption = request.captions.cbegin(); caption != request.captions.cend(); ++caption) {
        if (QAbstractButton *button = box.button(caption.key()))
            button->setText(caption.value());
    }
    if (request.defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(request.defaultButton);
        // Escape answers like the default button: never the accepting one of a question.
        box.setEscapeButton(request.defaultButton);
    }
    return QMessageBox::StandardButton(box.exec());
}

void showOk(Kind kind, QWidget *parent, const QString &text)
{
    ask({kind, parent, programTitle(), text, QMessageBox::Ok, QMessageBox::Ok});
}

} // namespace

QMessageBox::StandardButton ask(const Request &request)
{
    if (currentPresenter())
        return currentPresenter()(request);
    return showRealBox(request);
}

void showMessage(QWidget *parent, const QString &text) { showOk(Kind::Message, parent, text); }
void showInformation(QWidget *parent, const QString &text) { showOk(Kind::Information, parent, text); }
void showWarning(QWidget *parent, const QString &text) { showOk(Kind::Warning, parent, text); }
void showError(QWidget *parent, const QString &text) { showOk(Kind::Error, parent, text); }

bool confirm(QWidget *parent, const QString &text, QMessageBox::StandardButton accept)
{
    const Request request{Kind::Warning, parent, programTitle(), text, accept | QMessageBox::Cancel,
                          QMessageBox::Cancel};
    return ask(request) == accept;
}

QString saveChangesQuestion()
{
    return QStringLiteral("Değişiklikler kaydedilsin mi?");
}

PendingChanges askSaveChanges(QWidget *parent)
{
    Request request{Kind::Warning, parent, programTitle(), saveChangesQuestion(),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel};
    request.captions = {{QMessageBox::Save, QStringLiteral("Kaydet")},
                        {QMessageBox::Discard, QStringLiteral("Kaydetme")},
                        {QMessageBox::Cancel, QStringLiteral("Vazgeç")}};
    switch (ask(request)) {
    case QMessageBox::Save:
        return PendingChanges::Save;
    case QMessageBox::Discard:
        return PendingChanges::Discard;
    default:
        return PendingChanges::Stay;
    }
}

Presenter setPresenter(Presenter presenter)
{
    Presenter previous = std::move(currentPresenter());
    currentPresenter() = std::move(presenter);
    return previous;
}

ScopedPresenter::ScopedPresenter(Presenter presenter) : m_previous(setPresenter(std::move(presenter))) {}

ScopedPresenter::~ScopedPresenter() { setPresenter(std::move(m_previous)); }

} // namespace MessageBoxes
