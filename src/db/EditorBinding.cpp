#include "db/EditorBinding.h"

#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTimeEdit>

EditorBinding::EditorBinding(QObject *parent) : QObject(parent) {}

void EditorBinding::setQuery(Query *query)
{
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (query) {
        connect(query, &Query::fieldChanged, this, &EditorBinding::onFieldChanged);
        connect(query, &Query::currentRowChanged, this, &EditorBinding::onRecordMoved);
        connect(query, &Query::opened, this, &EditorBinding::onRecordMoved);
        connect(query, &Query::closed, this, &EditorBinding::onRecordMoved);
        connect(query, &Query::rowUpdated, this, &EditorBinding::onRecordMoved);
        connect(query, &Query::stateChanged, this, &EditorBinding::stateChange);
    }
    onRecordMoved();
}

void EditorBinding::bind(QWidget *editor, const QString &fieldName)
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        bindCustom(edit, fieldName, showInLineEdit, storeFromLineEdit);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { editorChanged(edit); });
    } else if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        bindCustom(text, fieldName,
                   [](QWidget *w, const Field &f) { static_cast<QPlainTextEdit *>(w)->setPlainText(f.asString()); },
                   [](QWidget *w, Field &f) { f.setAsString(static_cast<QPlainTextEdit *>(w)->toPlainText()); });
        connect(text, &QPlainTextEdit::textChanged, this, [this, text] { editorChanged(text); });
    } else if (auto *check = qobject_cast<QCheckBox *>(editor)) {
        bindCustom(check, fieldName,
                   [](QWidget *w, const Field &f) { static_cast<QCheckBox *>(w)->setChecked(!f.isNull() && f.asBoolean()); },
                   [](QWidget *w, Field &f) { f.setValue(static_cast<QCheckBox *>(w)->isChecked()); });
        connect(check, &QCheckBox::clicked, this, [this, check] { editorChanged(check); });
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        bindCustom(combo, fieldName,
                   [](QWidget *w, const Field &f) {
                       auto *box = static_cast<QComboBox *>(w);
                       const int at = box->findData(f.asString());
                       const int index = at >= 0 ? at : box->findText(f.asString());
                       box->setCurrentIndex(index);
                       if (index < 0 && box->isEditable())
                           box->setEditText(f.asString());
                   },
                   [](QWidget *w, Field &f) {
                       auto *box = static_cast<QComboBox *>(w);
                       const QVariant data = box->currentData();
                       if (box->currentIndex() < 0 && !box->isEditable())
                           f.clear();
                       else
                           f.setAsString(data.isValid() ? data.toString() : box->currentText());
                   });
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this, combo] { editorChanged(combo); });
        if (combo->isEditable())
            connect(combo, &QComboBox::editTextChanged, this, [this, combo] { editorChanged(combo); });
    } else if (auto *dateTime = qobject_cast<QDateTimeEdit *>(editor)) {
        const bool dateOnly = qobject_cast<QDateEdit *>(editor) != nullptr;
        const bool timeOnly = qobject_cast<QTimeEdit *>(editor) != nullptr;
        bindCustom(dateTime, fieldName,
                   [](QWidget *w, const Field &f) {
                       auto *e = static_cast<QDateTimeEdit *>(w);
                       if (f.isNull())
                           e->setDateTime(e->minimumDateTime());
                       else
                           e->setDateTime(f.asDateTime());
                   },
                   [dateOnly, timeOnly](QWidget *w, Field &f) {
                       auto *e = static_cast<QDateTimeEdit *>(w);
                       if (e->dateTime() == e->minimumDateTime())
                           f.clear();
                       else if (dateOnly)
                           f.setValue(e->date());
                       else if (timeOnly)
                           f.setValue(e->time());
                       else
                           f.setValue(e->dateTime());
                   });
        connect(dateTime, &QDateTimeEdit::dateTimeChanged, this, [this, dateTime] { editorChanged(dateTime); });
    } else {
        throw AppError(QStringLiteral("No editor binding for %1").arg(QLatin1String(editor->metaObject()->className())));
    }
}

void EditorBinding::bindCustom(QWidget *editor, const QString &fieldName, Loader load, Storer store)
{
    m_bindings << Binding{editor, fieldName, std::move(load), std::move(store)};
    loadEditor(m_bindings.last());
}

void EditorBinding::editorChanged(QWidget *editor)
{
    if (m_loading || !m_query || !m_query->isOpen())
        return;
    for (const Binding &binding : std::as_const(m_bindings)) {
        if (binding.editor != editor)
            continue;
        ErrorSink::guard([&] {
            if (!m_query->isEditing() && !m_autoEdit)
                return;
            // Typing into an empty list starts a new row, which shows that row in every editor:
            // the editor being typed in keeps what was typed (the first key included).
            const QPointer<QWidget> outer = m_storingEditor;
            m_storingEditor = editor;
            const auto restore = qScopeGuard([&] { m_storingEditor = outer; });
            if (!m_query->isEditing())
                m_query->edit();
            binding.store(editor, m_query->fieldByName(binding.fieldName));
        });
        return;
    }
}

void EditorBinding::showInLineEdit(QWidget *editor, const Field &field)
{
    auto *edit = static_cast<QLineEdit *>(editor);
    edit->setText(field.asString());
    // A long address is read from its beginning, not its end; the editor the operator is in
    // keeps the cursor at the end of what was typed.
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

void EditorBinding::storeFromLineEdit(QWidget *editor, Field &field)
{
    field.setAsString(static_cast<QLineEdit *>(editor)->text());
}

QWidget *EditorBinding::editorFor(const QString &fieldName) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return binding.editor;
    }
    return nullptr;
}

QString EditorBinding::fieldNameOf(const QWidget *editor) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.editor == editor)
            return binding.fieldName;
    }
    return QString();
}

Field *EditorBinding::fieldOf(const QWidget *editor) const
{
    return m_query ? m_query->findField(fieldNameOf(editor)) : nullptr;
}

void EditorBinding::loadEditor(const Binding &binding)
{
    if (!binding.editor)
        return;
    const bool wasLoading = m_loading;
    m_loading = true;
    const QSignalBlocker blocker(binding.editor);
    const Field *field = m_query && m_query->isOpen() ? m_query->findField(binding.fieldName) : nullptr;
    binding.editor->setEnabled(field != nullptr);
    limitToColumnSize(binding.editor, field);
    if (field) {
        ErrorSink::guard([&] { binding.load(binding.editor, *field); });
    } else {
        Query empty(nullptr);
        Field blank(&empty, binding.fieldName);
        ErrorSink::guard([&] { binding.load(binding.editor, blank); });
    }
    m_loading = wasLoading;
}

// A text editor takes no more characters than its column holds (VARCHAR(n), CHAR(n)); the field
// refuses a longer text too, but the operator should not be able to type one in the first place.
void EditorBinding::limitToColumnSize(QWidget *editor, const Field *field)
{
    QLineEdit *edit = qobject_cast<QLineEdit *>(editor);
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        edit = combo->lineEdit();
    if (!edit)
        return;
    if (!field || !isTextType(field->type()) || field->size() <= 0)
        return;
    // A new limit sets the text again (moving the cursor), so only a change is applied.
    if (edit->maxLength() != field->size())
        edit->setMaxLength(field->size());
}

void EditorBinding::refreshEditors()
{
    for (const Binding &binding : std::as_const(m_bindings)) {
        if (binding.editor != m_storingEditor)
            loadEditor(binding);
    }
}

void EditorBinding::onFieldChanged(Field *field)
{
    for (const Binding &binding : std::as_const(m_bindings)) {
        if (binding.fieldName.compare(field->name(), Qt::CaseInsensitive) == 0 && binding.editor != m_storingEditor)
            loadEditor(binding);
    }
    emit dataChange(field);
}

void EditorBinding::onRecordMoved()
{
    refreshEditors();
    emit dataChange(nullptr);
}
