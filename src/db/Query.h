#pragma once
#include "db/Field.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QVector>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class Database;
class SelectClauses;
class Statement;

// A query on the one connection: SQL text with "&name" macros (raw text, replaced before the
// statement is prepared) and ":name" parameters (bound values). Rows are read as a view needs
// them, never all at once unless an operation asks for every row (an ordering, a count).
// A query over a join writes only the columns of its base table, addressed by that table's key.
class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert, SetKey };
    using Handler = std::function<void(Query &)>;
    using Row = QVector<QVariant>;

    explicit Query(Database *db, QObject *parent = nullptr);
    ~Query() override;

    Database *database() const { return m_db; }

    void setSql(const QString &sql);
    const QString &sql() const { return m_sql; }
    void setMacro(const QString &name, const QString &value);
    QString macro(const QString &name) const;
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;
    QString expandedSql() const;

    // A windowed query keeps only the keys of its rows in result order and reads the rows
    // themselves in pages by key as they are shown, holding a bounded number of them; a
    // title-click ordering then runs in the engine. It takes effect at the next open, and only
    // for a simple "SELECT * FROM ..." with an integer key of its update table among its columns
    // under a name of its own; other queries keep every row they read.
    void setRowWindow(bool windowed) { m_windowWanted = windowed; }
    bool isWindowed() const { return m_windowed; }
    // Rows held in memory by a windowed query (it holds a bounded number of them).
    int heldRowCount() const { return int(m_held.size()); }
    // The statement that gives the rows in the order they are shown, the ordering included
    // (for a windowed query; the query's own text otherwise).
    QString orderedSql() const;
    // Reads every row once, in the order shown, without keeping them: the current query's
    // statement runs again from its start.
    void forEachRow(const std::function<void(const Row &)> &visit);

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    // The table that edits are written to; by default the table of the first column that has one.
    void setUpdateTable(const QString &table) { m_updateTable = table; }
    QString updateTable() const;

    // Learns the columns without running the statement and creates their fields, so that field
    // settings made before opening stay in force.
    void prepareFields();
    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    // Closes and opens again on the same record. Every open after a close does the same: the
    // cursor finds the record it stood on by its key when the record is still in the result, and
    // stands on the row at the same place otherwise (the nearest one that is left). A new SQL text
    // starts at the first row.
    void refresh();

    bool isEmpty();
    int loadedCount() const { return m_windowed ? int(m_keys.size()) : int(m_rows.size()); }
    bool isFullyLoaded() const { return !m_statement; }
    // Reads up to count more rows; returns how many arrived.
    int fetchMore(int count);
    void fetchAll();
    // Every row is read to count them.
    int recordCount();

    int row() const { return m_row; }
    int recNo() const { return m_row + 1; }
    bool isEof() const { return m_eof; }
    bool isBof() const { return m_bof; }
    void first();
    void last();
    void next();
    void prior();
    // Moves to a loaded row (0-based); reads further rows when needed.
    bool moveTo(int row);

    // The key of the current record in the table that edits are written to; null when there is
    // no current row or the table's key is not among the columns.
    QVariant currentKey() const;
    // The key of a loaded row without reading the row itself.
    QVariant keyAt(int row) const;
    // The key of the record that the last save wrote (a new row's comes from the engine).
    QVariant postedKey() const { return m_postedKey; }

    int fieldCount() const { return int(m_fields.size()); }
    Field *field(int index) const { return m_fields.at(size_t(index)).get(); }
    Field *findField(const QString &name) const;
    // Throws "Field '%s' not found".
    Field &fieldByName(const QString &name) const;
    int columnOf(const QString &name) const;

    // A loaded row's stored value; the current row shows the edit buffer while editing.
    QVariant rawValue(int row, int column) const;
    QVariant currentRawValue(int column) const;
    void setCurrentRawValue(Field &field, const QVariant &stored);

    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void remove();
    bool isModified() const { return m_modified; }
    bool isFieldModified(const Field &field) const;

    // Ordering by fields, "NAME:A,OTHER:D"; kept across re-opens. An empty text puts the rows back
    // in the order the query gave them. A windowed query runs it in the engine (text compared as
    // the user's language sorts it, ignoring case; ties in the query's own order); other queries
    // sort the rows they hold.
    void setSortOrder(const QString &order);
    const QString &sortOrder() const { return m_sortOrder; }

    // The query follows the master's current row: each listed master field is bound to the
    // parameter of the same name and the query re-runs when the master moves.
    void setMaster(Query *master, const QStringList &masterFields);
    Query *master() const { return m_master; }

    // Events; a handler refuses the operation by throwing (SilentAbort after its own message).
    Handler onNewRecord;
    Handler onBeforeEdit;
    Handler onBeforeInsert;
    Handler onBeforePost;
    Handler onAfterPost;
    Handler onBeforeDelete;
    Handler onAfterDelete;
    Handler onAfterOpen;
    Handler onBeforeClose;
    Handler onAfterScroll;

signals:
    void opened();
    void closed();
    void rowsLoaded(int first, int last);
    void rowsReordered();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowUpdated(int row);
    void currentRowChanged(int row);
    void stateChanged();
    void fieldChanged(Field *field);

private:
    void bindFields(const Statement &statement);
    void setRow(int row);
    void startStatement();
    bool fetchOne();
    void requireBrowsable(const char *operation) const;
    void requireWritable() const;
    Field &keyField() const;
    void applyDefaults();
    void writeInsert();
    void writeUpdate();
    void reloadBaseColumns(const QVariant &key);
    void sortRows();
    void followMaster();
    void closeInternal();
    Field *findKeyField() const;
    QVariant keyOfRow(const Row &row) const;
    int findRow(int column, const QVariant &stored);
    void restorePosition();
    void setState(State state);
    std::unique_ptr<Statement> startKeyStatement();
    bool windowOrderTerms(const SelectClauses &clauses, QString &terms) const;
    bool endsWithKey(const QString &orderTerms) const;
    const Row &rowAt(int row) const;
    void loadPage(int row) const;
    void holdRow(int row, Row values) const;
    void forgetLoadedRows() const;
    int findKeyRow(qint64 key);
    void eraseRow(int row);

    Database *m_db;
    QString m_sql;
    QHash<QString, QString> m_macros; // keyed by upper-case name
    QVariantMap m_params;
    bool m_readOnly = false;
    QString m_updateTable;

    std::vector<std::unique_ptr<Field>> m_fields;
    std::unique_ptr<Statement> m_statement;
    // Each loaded row carries, after its columns, the ordinal in which it arrived, so that
    // removing the client-side ordering gives the query's own order back.
    // A windowed query holds, instead, every row's key and a bounded number of rows by place.
    std::vector<Row> m_rows;
    mutable QHash<int, Row> m_held;
    bool m_windowWanted = false;
    bool m_windowed = false;
    QString m_keyTerm;
    QString m_keyName;
    std::vector<qint64> m_keys;
    mutable std::deque<int> m_heldRows; // rows read by key, oldest first
    int m_columnCount = 0;
    qint64 m_nextOrdinal = 0;
    int m_row = -1;
    bool m_eof = true;
    bool m_bof = true;

    State m_state = State::Inactive;
    Row m_buffer;
    QVector<bool> m_changed;
    bool m_modified = false;

    QVariant m_postedKey;
    // Where the cursor stood when the rows were let go, for the next open to find it again.
    struct Position {
        QVariant key;
        int row = -1;
    };
    Position m_lastPosition;

    QString m_sortOrder;
    QPointer<Query> m_master;
    QStringList m_masterFields;
    bool m_wantActive = false;
};
