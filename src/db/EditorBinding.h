#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class Field;
class Query;

// Binds editors to the fields of a query, the way a data source does: editors show the current
// record, typing puts the query into edit state and writes the field, and dataChange tells the
// window when the record moved (field null) or one field changed.
class EditorBinding : public QObject {
    Q_OBJECT
public:
    using Loader = std::function<void(QWidget *editor, const Field &field)>;
    using Storer = std::function<void(QWidget *editor, Field &field)>;

    explicit EditorBinding(QObject *parent = nullptr);

    void setQuery(Query *query);
    Query *query() const { return m_query; }
    void setAutoEdit(bool autoEdit) { m_autoEdit = autoEdit; }

    // Built-in kinds: QLineEdit, QPlainTextEdit, QCheckBox (boolean), QComboBox (the item data
    // when items carry data, else the text), QDateEdit, QTimeEdit, QDateTimeEdit.
    void bind(QWidget *editor, const QString &fieldName);
    // Any other editor: how to show the field, and how to write it; the editor calls
    // editorChanged() when the user changed it.
    void bindCustom(QWidget *editor, const QString &fieldName, Loader load, Storer store);
    void editorChanged(QWidget *editor);
    // How a QLineEdit shows a field (from the beginning of a long text) and writes it back; for
    // line edits that decide themselves when a change is written.
    static void showInLineEdit(QWidget *editor, const Field &field);
    static void storeFromLineEdit(QWidget *editor, Field &field);

    QWidget *editorFor(const QString &fieldName) const;
    QString fieldNameOf(const QWidget *editor) const;
    Field *fieldOf(const QWidget *editor) const;
    // Shows the current record in every editor.
    void refreshEditors();

signals:
    void dataChange(Field *field);
    void stateChange();

private:
    struct Binding {
        QPointer<QWidget> editor;
        QString fieldName;
        Loader load;
        Storer store;
    };
    void loadEditor(const Binding &binding);
    static void limitToColumnSize(QWidget *editor, const Field *field);
    void onFieldChanged(Field *field);
    void onRecordMoved();

    QPointer<Query> m_query;
    QList<Binding> m_bindings;
    bool m_autoEdit = true;
    bool m_loading = false;
    // The editor whose change is being written: it already shows the value, and loading it again
    // would move its cursor or selection while the user types.
    QPointer<QWidget> m_storingEditor;
};
