#pragma once
#include "db/FieldType.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

class Query;

// One column of a query, typed from its declared type, with the display properties that lists
// and editors use. Its value is the one of the query's current record (or of the edit buffer
// while the query is being edited). A field outlives the closing of its query, so settings made
// once stay in force across every re-open.
class Field {
public:
    Field(Query *owner, QString name);

    const QString &name() const { return m_name; }
    FieldType type() const { return m_type; }
    int size() const { return m_size; }
    int columnIndex() const { return m_column; }
    Query *query() const { return m_owner; }

    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_name : m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int displayWidth() const;
    void setDisplayWidth(int characters) { m_displayWidth = characters; }
    const QString &editMask() const { return m_editMask; }
    void setEditMask(const QString &mask) { m_editMask = mask; }
    const QString &defaultExpression() const { return m_defaultExpression; }
    void setDefaultExpression(const QString &expression) { m_defaultExpression = expression; }
    const QString &displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format) { m_displayFormat = format; }
    Qt::Alignment alignment() const;
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isRequired() const { return m_required; }
    void setRequired(bool required) { m_required = required; }

    const QString &originTable() const { return m_originTable; }
    const QString &originColumn() const { return m_originColumn; }
    bool isKey() const { return m_key; }
    bool isAutoIncrement() const { return m_autoIncrement; }

    // The value as the engine stores it (qint64, double, QString or null).
    QVariant rawValue() const;
    // The value in its typed form (int, qlonglong, qulonglong, QString, bool, QDate, QTime,
    // QDateTime, double); a null value of the type when NULL.
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    int asInteger() const;
    qint64 asLargeInt() const;
    quint64 asUInt64() const;
    double asFloat() const;
    bool asBoolean() const;
    QDate asDate() const;
    QTime asTime() const;
    QDateTime asDateTime() const;

    // Writes into the edit buffer; the query must be in edit or insert state. A text longer than
    // the column's declared size is refused with a Turkish message.
    void setValue(const QVariant &value);
    // Reads the text the way a user types it (locale numbers and dates, boolean words).
    void setAsString(const QString &text);
    void clear();

    // The text shown in lists and editors: the display format when one is set.
    QString displayText() const;
    QString displayTextFor(const QVariant &raw) const;
    // The plain text of a stored value.
    QString textFor(const QVariant &raw) const;

private:
    friend class Query;
    struct Origin {
        QString table;
        QString column;
        bool key = false;
        bool autoIncrement = false;
        bool notNull = false;
    };
    void bindColumn(int column, const FieldTypeInfo &type, const Origin &origin);
    void unbind() { m_column = -1; }
    QVariant parseText(const QString &text) const;
    void refuseOverLongText(const QVariant &stored) const;

    Query *m_owner;
    QString m_name;
    FieldType m_type = FieldType::Unknown;
    int m_size = 0;
    int m_column = -1;
    bool m_typeKnown = false;

    QString m_displayLabel;
    bool m_visible = true;
    int m_displayWidth = 0;
    QString m_editMask;
    QString m_defaultExpression;
    QString m_displayFormat;
    Qt::Alignment m_alignment;
    bool m_alignmentSet = false;
    bool m_readOnly = false;
    bool m_required = false;

    QString m_originTable;
    QString m_originColumn;
    bool m_key = false;
    bool m_autoIncrement = false;
};
