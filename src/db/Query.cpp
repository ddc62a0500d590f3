#include "db/Query.h"

#include "db/AppError.h"
#include "db/Database.h"
#include "db/LanguageCollation.h"
#include "db/SelectClauses.h"
#include "db/SortKeyColumn.h"
#include "db/Statement.h"
#include "db/StoredValue.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <utility>
#include <sqlite3.h>

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Replaces "&name" by the macro's raw text, outside quoted literals and names; an "&" that is
// not followed by a known macro name stays as it is.
QString expandMacros(const QString &sql, const QHash<QString, QString> &macros)
{
    QString out;
    out.reserve(sql.size());
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            out += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            out += c;
            continue;
        }
        if (c == QLatin1Char('&')) {
            int end = i + 1;
            while (end < sql.size() && isNameChar(sql.at(end)))
                ++end;
            const auto macro = macros.constFind(sql.mid(i + 1, end - i - 1).toUpper());
            if (end > i + 1 && macro != macros.constEnd()) {
                out += macro.value();
                i = end - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// Rows read by key at a time, and the most rows a windowed query holds at once.
constexpr int kPageRows = 100;
constexpr size_t kHeldRowLimit = 4000;

QString quotedName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

Query::Query(Database *db, QObject *parent) : QObject(parent), m_db(db) {}

Query::~Query() = default;

void Query::setSql(const QString &sql)
{
    close();
    m_sql = sql;
    m_lastPosition = {};
}

void Query::setMacro(const QString &name, const QString &value)
{
    m_macros.insert(name.toUpper(), value);
}

QString Query::macro(const QString &name) const
{
    return m_macros.value(name.toUpper());
}

void Query::setParam(const QString &name, const QVariant &value)
{
    m_params.insert(name, value);
}

QVariant Query::param(const QString &name) const
{
    return m_params.value(name);
}

QString Query::expandedSql() const
{
    return expandMacros(m_sql, m_macros);
}

QString Query::updateTable() const
{
    if (!m_updateTable.isEmpty())
        return m_updateTable;
    for (const auto &field : m_fields) {
        if (!field->originTable().isEmpty())
            return field->originTable();
    }
    return QString();
}

Field *Query::findField(const QString &name) const
{
    for (const auto &field : m_fields) {
        if (field->name().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

Field &Query::fieldByName(const QString &name) const
{
    Field *field = findField(name);
    if (!field)
        throw AppError(QStringLiteral("Field '%1' not found").arg(name));
    return *field;
}

int Query::columnOf(const QString &name) const
{
    const Field *field = findField(name);
    return field ? field->columnIndex() : -1;
}

void Query::bindFields(const Statement &statement)
{
    for (auto &field : m_fields)
        field->unbind();
    QHash<QString, int> seen;
    for (int column = 0; column < statement.columnCount(); ++column) {
        QString name = statement.columnName(column);
        const int repeats = seen[name.toUpper()]++;
        if (repeats > 0)
            name += QLatin1Char('_') + QString::number(repeats);
        Field *field = findField(name);
        if (!field) {
            m_fields.push_back(std::make_unique<Field>(this, name));
            field = m_fields.back().get();
        }
        Field::Origin origin;
        origin.table = statement.originTable(column);
        origin.column = statement.originColumn(column);
        if (!origin.table.isEmpty()) {
            int notNull = 0, primaryKey = 0, autoIncrement = 0;
            if (sqlite3_table_column_metadata(m_db->handle(), nullptr, origin.table.toUtf8().constData(),
                                              origin.column.toUtf8().constData(), nullptr, nullptr,
                                              &notNull, &primaryKey, &autoIncrement) == SQLITE_OK) {
                origin.notNull = notNull;
                origin.key = primaryKey;
                origin.autoIncrement = autoIncrement;
            }
        }
        field->bindColumn(column, fieldTypeFromDeclared(statement.declaredType(column)), origin);
    }
}

void Query::prepareFields()
{
    Statement statement(*m_db, expandedSql());
    bindFields(statement);
}

void Query::startStatement()
{
    Database::CommandScope scope(*m_db);
    auto statement = std::make_unique<Statement>(*m_db, expandedSql());
    statement->bindAll(m_params);
    bindFields(*statement);
    m_columnCount = statement->columnCount();
    m_nextOrdinal = 0;
    m_keys.clear();
    m_heldRows.clear();
    m_windowed = false;
    if (m_windowWanted) {
        if (auto keys = startKeyStatement()) {
            m_windowed = true;
            m_statement = std::move(keys);
            return;
        }
    }
    // A list keeps every row it reads; equal texts down a column are kept once.
    statement->shareRepeatedTexts();
    m_statement = std::move(statement);
}

// The statement that gives the keys of the rows in the order shown: the query's own FROM ...
// HAVING, ordered by the title-click ordering, then the query's own ordering, then the key, so
// the order is complete and the same at every run. Null when the query cannot be windowed.
std::unique_ptr<Statement> Query::startKeyStatement()
{
    const SelectClauses clauses = SelectClauses::parse(expandedSql());
    const Field *key = findKeyField();
    if (!clauses.isSimple() || clauses.selectList() != QLatin1String("*") || !key
        || (key->type() != FieldType::Id && key->type() != FieldType::Integer) || key->originColumn().isEmpty())
        return nullptr;
    // Rows are read back by the key's result name, which must name that column alone (a repeated
    // name is given a "_1" suffix when the fields are made).
    const QString repeatSuffix = key->name().section(QLatin1Char('_'), -1);
    bool suffixIsNumber = false;
    repeatSuffix.toInt(&suffixIsNumber);
    if (findField(key->name() + QStringLiteral("_1")) || (key->name().contains(QLatin1Char('_')) && suffixIsNumber))
        return nullptr;
    m_keyTerm = quotedName(key->originTable()) + QLatin1Char('.') + quotedName(key->originColumn());
    m_keyName = key->name();
    QString terms;
    if (!windowOrderTerms(clauses, terms))
        return nullptr;
    try {
        auto statement = std::make_unique<Statement>(
            *m_db, QStringLiteral("SELECT %1 %2 ORDER BY %3").arg(m_keyTerm, clauses.body(), terms));
        statement->bindAll(m_params);
        return statement;
    } catch (const AppError &) {
        return nullptr; // the ordering names a column the engine cannot find: sort the rows held
    }
}

// The ordering terms of a windowed query; false when a field of the title-click ordering is not
// a column of a table.
bool Query::windowOrderTerms(const SelectClauses &clauses, QString &terms) const
{
    QStringList parts;
    for (const QString &part : m_sortOrder.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const Field *field = findField(part.section(QLatin1Char(':'), 0, 0).trimmed());
        if (!field || field->columnIndex() < 0)
            continue;
        if (field->originTable().isEmpty() || field->originColumn().isEmpty())
            return false;
        QString term = quotedName(field->originTable()) + QLatin1Char('.') + quotedName(field->originColumn());
        if (isTextType(field->type()))
            term += QStringLiteral(" COLLATE ") + QLatin1String(LanguageCollation::name);
        if (part.section(QLatin1Char(':'), 1, 1).trimmed().toUpper().startsWith(QLatin1Char('D')))
            term += QStringLiteral(" DESC");
        parts << term;
    }
    const QString own = clauses.orderTerms();
    if (!own.isEmpty())
        parts << own;
    // An ordering that already ends on the key is complete; repeating the key would cost the
    // engine a sort where it could walk the table by key.
    if (!endsWithKey(own))
        parts << m_keyTerm;
    terms = parts.join(QLatin1Char(','));
    return true;
}

bool Query::endsWithKey(const QString &orderTerms) const
{
    QString last = orderTerms.section(QLatin1Char(','), -1).trimmed().toUpper();
    for (const char *direction : {" ASC", " DESC"}) {
        if (last.endsWith(QLatin1String(direction)))
            last.chop(int(qstrlen(direction)));
    }
    last = last.trimmed().remove(QLatin1Char('"'));
    const Field *key = findKeyField();
    if (!key || last.isEmpty())
        return false;
    const QString column = key->originColumn().toUpper();
    return last == column || last == key->originTable().toUpper() + QLatin1Char('.') + column;
}

QString Query::orderedSql() const
{
    if (!m_windowed)
        return expandedSql();
    const SelectClauses clauses = SelectClauses::parse(expandedSql());
    QString terms;
    windowOrderTerms(clauses, terms);
    return QStringLiteral("SELECT %1 %2 ORDER BY %3").arg(clauses.selectList(), clauses.body(), terms);
}

void Query::forEachRow(const std::function<void(const Row &)> &visit)
{
    if (!isOpen())
        return;
    if (!m_windowed) {
        fetchAll();
        for (int row = 0; row < loadedCount(); ++row)
            visit(m_rows[size_t(row)]);
        return;
    }
    Database::CommandScope scope(*m_db);
    Statement statement(*m_db, orderedSql());
    statement.bindAll(m_params);
    Row values(m_columnCount + 1);
    while (statement.step()) {
        for (int column = 0; column < m_columnCount; ++column)
            values[column] = statement.columnValue(column);
        visit(values);
    }
}

void Query::open()
{
    m_wantActive = true;
    if (isOpen())
        return;
    if (m_master) {
        for (const QString &name : m_masterFields) {
            const Field *masterField = m_master->isOpen() ? m_master->findField(name) : nullptr;
            m_params.insert(name, masterField && !m_master->isEmpty() ? masterField->rawValue() : QVariant());
        }
    }
    startStatement();
    m_rows.clear();
    m_state = State::Browse;
    {
        Database::CommandScope scope(*m_db);
        fetchOne();
    }
    if (!m_sortOrder.isEmpty() && !m_windowed)
        sortRows();
    restorePosition();
    emit opened();
    emit stateChanged();
    emit currentRowChanged(m_row);
    if (onAfterOpen)
        onAfterOpen(*this);
}

void Query::close()
{
    m_wantActive = false;
    closeInternal();
}

void Query::closeInternal()
{
    if (!isOpen())
        return;
    if (onBeforeClose)
        onBeforeClose(*this);
    if (m_row >= 0 && m_row < loadedCount())
        m_lastPosition = {keyAt(m_row), m_row};
    else
        m_lastPosition = {};
    m_statement.reset();
    m_rows.clear();
    m_keys.clear();
    m_held.clear();
    m_heldRows.clear();
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_row = -1;
    m_eof = m_bof = true;
    m_state = State::Inactive;
    emit closed();
    emit stateChanged();
}

void Query::refresh()
{
    closeInternal();
    open();
}

// Puts the cursor of a query just opened where it stood before its last close.
void Query::restorePosition()
{
    const Position last = std::exchange(m_lastPosition, {});
    int row = (loadedCount() == 0) ? -1 : 0;
    if (last.row > 0 || !last.key.isNull()) {
        const Field *key = findKeyField();
        const int found = key && !last.key.isNull() ? findRow(key->columnIndex(), last.key) : -1;
        if (found >= 0) {
            row = found;
        } else if (last.row > 0) {
            Database::CommandScope scope(*m_db);
            while (loadedCount() <= last.row && fetchOne()) {
            }
            row = std::min(last.row, loadedCount() - 1);
        }
    }
    m_row = row;
    m_bof = row <= 0;
    m_eof = (loadedCount() == 0);
}

// The first row holding the value in the column, reading further rows until one does; -1 when
// none does.
int Query::findRow(int column, const QVariant &stored)
{
    if (m_windowed)
        return findKeyRow(stored.toLongLong());
    const auto matches = [&](int row) {
        const QVariant &value = m_rows[size_t(row)].at(column);
        return !value.isNull() && value == stored;
    };
    for (int row = 0; row < loadedCount(); ++row) {
        if (matches(row))
            return row;
    }
    Database::CommandScope scope(*m_db);
    while (fetchOne()) {
        if (matches(loadedCount() - 1))
            return loadedCount() - 1;
    }
    return -1;
}

int Query::findKeyRow(qint64 key)
{
    const auto held = std::find(m_keys.begin(), m_keys.end(), key);
    if (held != m_keys.end())
        return int(held - m_keys.begin());
    Database::CommandScope scope(*m_db);
    while (fetchOne()) {
        if (m_keys.back() == key)
            return loadedCount() - 1;
    }
    return -1;
}

// A loaded row; a windowed query reads the page around it by key when it is not held.
const Query::Row &Query::rowAt(int row) const
{
    if (!m_windowed)
        return m_rows[size_t(row)];
    auto held = m_held.constFind(row);
    if (held == m_held.cend()) {
        loadPage(row);
        held = m_held.constFind(row);
    }
    return held.value();
}

void Query::holdRow(int row, Row values) const
{
    if (!m_held.contains(row))
        m_heldRows.push_back(row);
    m_held.insert(row, std::move(values));
}

void Query::loadPage(int row) const
{
    const int first = row - row % kPageRows;
    const int last = std::min(first + kPageRows, loadedCount()) - 1;
    QHash<qint64, int> wanted;
    QStringList keys;
    for (int each = first; each <= last; ++each) {
        if (!m_held.contains(each)) {
            wanted.insert(m_keys[size_t(each)], each);
            keys << QString::number(m_keys[size_t(each)]);
        }
    }
    Database::CommandScope scope(*m_db);
    Statement statement(*m_db, QStringLiteral("SELECT * FROM (%1) WHERE %2 IN (%3)")
                                   .arg(expandedSql(), quotedName(m_keyName), keys.join(QLatin1Char(','))));
    statement.bindAll(m_params);
    const int keyColumn = findKeyField()->columnIndex();
    while (statement.step()) {
        const auto found = wanted.constFind(statement.columnValue(keyColumn).toLongLong());
        if (found == wanted.cend())
            continue;
        const int at = found.value();
        wanted.erase(found);
        Row values(m_columnCount + 1);
        for (int column = 0; column < m_columnCount; ++column)
            values[column] = statement.columnValue(column);
        values[m_columnCount] = at;
        holdRow(at, std::move(values));
    }
    // A row that left the result since its key was read (deleted, or changed so that the
    // conditions no longer hold) shows as empty rather than being read again and again.
    for (auto gone = wanted.cbegin(); gone != wanted.cend(); ++gone) {
        Row values(m_columnCount + 1);
        values[keyColumn] = gone.key();
        values[m_columnCount] = gone.value();
        holdRow(gone.value(), std::move(values));
    }
    while (m_heldRows.size() > kHeldRowLimit) {
        const int oldest = m_heldRows.front();
        m_heldRows.pop_front();
        if (oldest != m_row && (oldest < first || oldest > last))
            m_held.remove(oldest);
        else
            m_heldRows.push_back(oldest); // still wanted: it goes to the back of the line
    }
}

// Lets go of every row read by key but the current one, after rows moved to other places.
void Query::forgetLoadedRows() const
{
    if (!m_windowed)
        return;
    const Row current = m_held.value(m_row);
    m_held.clear();
    m_heldRows.clear();
    if (!current.isEmpty())
        holdRow(m_row, current);
}

QVariant Query::keyAt(int row) const
{
    if (row < 0 || row >= loadedCount())
        return QVariant();
    if (m_windowed)
        return row == m_row && m_state == State::Insert ? keyOfRow(m_buffer) : QVariant(m_keys[size_t(row)]);
    return keyOfRow(m_rows[size_t(row)]);
}

bool Query::fetchOne()
{
    if (!m_statement)
        return false;
    if (!m_statement->step()) {
        m_statement.reset(); // every row is read; the statement is no longer needed
        return false;
    }
    if (m_windowed) {
        m_keys.push_back(m_statement->columnValue(0).toLongLong()); // the row is read by key when shown
        return true;
    }
    Row row(m_columnCount + 1);
    for (int column = 0; column < m_columnCount; ++column)
        row[column] = m_statement->columnValue(column);
    row[m_columnCount] = m_nextOrdinal++;
    m_rows.push_back(std::move(row));
    return true;
}

int Query::fetchMore(int count)
{
    const int before = loadedCount();
    if (!m_statement || count <= 0)
        return 0;
    {
        Database::CommandScope scope(*m_db);
        for (int i = 0; i < count && fetchOne(); ++i) {
        }
    }
    const int arrived = loadedCount() - before;
    if (arrived > 0)
        emit rowsLoaded(before, loadedCount() - 1);
    return arrived;
}

void Query::fetchAll()
{
    while (fetchMore(4096) > 0) {
    }
}

bool Query::isEmpty()
{
    if (!isOpen())
        return true;
    if ((loadedCount() == 0))
        fetchMore(1);
    return (loadedCount() == 0);
}

int Query::recordCount()
{
    if (!isOpen())
        return 0;
    fetchAll();
    return loadedCount();
}

void Query::setRow(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    emit currentRowChanged(m_row);
    if (onAfterScroll)
        onAfterScroll(*this);
}

void Query::requireBrowsable(const char *operation) const
{
    if (!isOpen())
        throw AppError(QStringLiteral("Cannot perform this operation on a closed dataset (%1)")
                           .arg(QLatin1String(operation)));
}

void Query::first()
{
    requireBrowsable("first");
    if (isEditing())
        post();
    isEmpty();
    m_bof = true;
    m_eof = (loadedCount() == 0);
    setRow((loadedCount() == 0) ? -1 : 0);
}

void Query::last()
{
    requireBrowsable("last");
    if (isEditing())
        post();
    fetchAll();
    m_eof = true;
    m_bof = (loadedCount() == 0);
    setRow(loadedCount() - 1);
}

void Query::next()
{
    requireBrowsable("next");
    if (isEditing())
        post();
    if (m_row + 1 >= loadedCount())
        fetchMore(1);
    if (m_row + 1 < loadedCount()) {
        m_bof = false;
        m_eof = false;
        setRow(m_row + 1);
    } else {
        m_eof = true;
    }
}

void Query::prior()
{
    requireBrowsable("prior");
    if (isEditing())
        post();
    if (m_row > 0) {
        m_eof = false;
        m_bof = false;
        setRow(m_row - 1);
    } else {
        m_bof = true;
    }
}

bool Query::moveTo(int row)
{
    requireBrowsable("move");
    if (row == m_row)
        return true;
    if (isEditing())
        post();
    if (row >= loadedCount())
        fetchMore(row - loadedCount() + 1);
    if (row < 0 || row >= loadedCount())
        return false;
    m_bof = false;
    m_eof = false;
    setRow(row);
    return true;
}

Field *Query::findKeyField() const
{
    const QString table = updateTable();
    for (const auto &field : m_fields) {
        if (field->isKey() && field->columnIndex() >= 0
            && field->originTable().compare(table, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

QVariant Query::keyOfRow(const Row &row) const
{
    const Field *key = findKeyField();
    return key && key->columnIndex() < row.size() ? row.at(key->columnIndex()) : QVariant();
}

QVariant Query::currentKey() const
{
    if (m_row < 0 || m_row >= loadedCount())
        return QVariant();
    return isEditing() ? keyOfRow(m_buffer) : keyAt(m_row);
}

QVariant Query::rawValue(int row, int column) const
{
    if (column < 0)
        return QVariant();
    if (row == m_row && isEditing())
        return column < m_buffer.size() ? m_buffer.at(column) : QVariant();
    if (row < 0 || row >= loadedCount())
        return QVariant();
    const Row &values = rowAt(row);
    return column < values.size() ? values.at(column) : QVariant();
}

QVariant Query::currentRawValue(int column) const
{
    return rawValue(m_row, column);
}

void Query::setCurrentRawValue(Field &field, const QVariant &stored)
{
    if (!isEditing())
        throw AppError(QStringLiteral("Dataset not in edit or insert mode"));
    const int column = field.columnIndex();
    if (column < 0 || column >= m_buffer.size())
        return;
    if (m_buffer[column] == stored && m_buffer[column].isNull() == stored.isNull())
        return;
    m_buffer[column] = stored;
    m_changed[column] = true;
    m_modified = true;
    emit fieldChanged(&field);
}

bool Query::isFieldModified(const Field &field) const
{
    const int column = field.columnIndex();
    return isEditing() && column >= 0 && column < m_changed.size() && m_changed[column];
}

void Query::requireWritable() const
{
    if (!isOpen())
        throw AppError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (m_readOnly)
        throw AppError(QStringLiteral("Cannot modify a read-only dataset"));
}

void Query::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void Query::edit()
{
    if (isEditing())
        return;
    requireWritable();
    if (isEmpty()) {
        insert();
        return;
    }
    if (onBeforeEdit)
        onBeforeEdit(*this);
    m_buffer = rowAt(m_row);
    m_changed = QVector<bool>(m_buffer.size(), false);
    m_modified = false;
    setState(State::Edit);
}

void Query::insert()
{
    if (isEditing())
        post();
    requireWritable();
    if (onBeforeInsert)
        onBeforeInsert(*this);
    const int width = m_columnCount + 1;
    const int at = m_row < 0 ? 0 : m_row;
    m_buffer = Row(width);
    m_buffer[m_columnCount] = m_nextOrdinal++;
    if (m_windowed) {
        m_keys.insert(m_keys.begin() + at, 0); // the engine gives the key when the row is saved
        m_row = at;
        m_held.insert(at, m_buffer);
        forgetLoadedRows();
    } else {
        m_rows.insert(m_rows.begin() + at, m_buffer);
    }
    m_changed = QVector<bool>(width, false);
    m_modified = false;
    m_row = at;
    m_eof = m_bof = false;
    m_state = State::Insert;
    emit rowInserted(at);
    emit currentRowChanged(m_row);
    emit stateChanged();
    applyDefaults();
    if (onNewRecord)
        onNewRecord(*this);
    m_modified = false; // the defaults of a new row are not a change the user made
}

void Query::append()
{
    if (isEditing())
        post();
    requireWritable();
    fetchAll();
    m_row = loadedCount(); // the new row goes after the last one
    insert();
}

void Query::applyDefaults()
{
    for (const auto &field : m_fields) {
        if (field->defaultExpression().isEmpty() || field->columnIndex() < 0)
            continue;
        field->setValue(m_db->scalar(QStringLiteral("SELECT ") + field->defaultExpression()));
    }
}

void Query::eraseRow(int row)
{
    if (m_windowed) {
        m_keys.erase(m_keys.begin() + row);
        m_held.remove(row);
        forgetLoadedRows();
    } else {
        m_rows.erase(m_rows.begin() + row);
    }
}

Field &Query::keyField() const
{
    if (Field *key = findKeyField())
        return *key;
    throw AppError(QStringLiteral("Unable to find the key of table %1").arg(updateTable()));
}

void Query::post()
{
    if (!isEditing())
        return;
    if (onBeforePost)
        onBeforePost(*this);
    const QString table = updateTable();
    for (const auto &field : m_fields) {
        if (field->isRequired() && field->columnIndex() >= 0
            && field->originTable().compare(table, Qt::CaseInsensitive) == 0
            && m_buffer.value(field->columnIndex()).isNull())
            throw AppError(QStringLiteral("Field '%1' must have a value").arg(field->displayLabel()));
    }
    if (m_state == State::Insert)
        writeInsert();
    else
        writeUpdate();
    m_postedKey = keyOfRow(m_buffer);
    if (m_windowed) {
        m_keys[size_t(m_row)] = m_postedKey.toLongLong();
        holdRow(m_row, m_buffer);
    } else {
        m_rows[size_t(m_row)] = m_buffer;
    }
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    setState(State::Browse);
    emit rowUpdated(m_row);
    if (onAfterPost)
        onAfterPost(*this);
}

void Query::writeInsert()
{
    const QString table = updateTable();
    QStringList columns;
    QStringList values;
    QVariantMap params;
    for (const auto &field : m_fields) {
        const int column = field->columnIndex();
        if (column < 0 || !m_changed.value(column)
            || field->originTable().compare(table, Qt::CaseInsensitive) != 0)
            continue;
        const QString param = QStringLiteral("p%1").arg(column);
        columns << field->originColumn();
        values << QLatin1Char(':') + param;
        params.insert(param, m_buffer.at(column));
    }
    const QString sql = columns.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(QLatin1Char(',')),
                                                                 values.join(QLatin1Char(',')));
    m_db->execute(sql, params);
    reloadBaseColumns(m_db->lastInsertRowId());
}

// Takes back what the engine stored for the new row: its id and the column defaults.
void Query::reloadBaseColumns(const QVariant &key)
{
    const QString table = updateTable();
    Field &keyColumn = keyField();
    QList<Field *> fields;
    QStringList names;
    for (const auto &field : m_fields) {
        if (field->columnIndex() >= 0 && field->originTable().compare(table, Qt::CaseInsensitive) == 0) {
            fields << field.get();
            names << field->originColumn();
        }
    }
    Statement statement(*m_db, QStringLiteral("SELECT %1 FROM %2 WHERE %3=:key")
                                   .arg(names.join(QLatin1Char(',')), table, keyColumn.originColumn()));
    statement.bind(QStringLiteral("key"), key);
    if (!statement.step())
        return;
    for (int i = 0; i < fields.size(); ++i)
        m_buffer[fields[i]->columnIndex()] = statement.columnValue(i);
}

void Query::writeUpdate()
{
    const QString table = updateTable();
    Field &keyColumn = keyField();
    QStringList assignments;
    QVariantMap params;
    for (const auto &field : m_fields) {
        const int column = field->columnIndex();
        if (column < 0 || !m_changed.value(column)
            || field->originTable().compare(table, Qt::CaseInsensitive) != 0)
            continue;
        const QString param = QStringLiteral("p%1").arg(column);
        assignments << field->originColumn() + QStringLiteral("=:") + param;
        params.insert(param, m_buffer.at(column));
    }
    if (assignments.isEmpty())
        return;
    params.insert(QStringLiteral("oldkey"), rowAt(m_row).value(keyColumn.columnIndex()));
    m_db->execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3=:oldkey")
                      .arg(table, assignments.join(QLatin1Char(',')), keyColumn.originColumn()),
                  params);
}

void Query::cancel()
{
    if (!isEditing())
        return;
    const bool inserting = m_state == State::Insert;
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_state = State::Browse;
    if (inserting) {
        const int removed = m_row;
        eraseRow(removed);
        emit rowRemoved(removed);
        m_row = std::min(removed, loadedCount() - 1);
        m_eof = (loadedCount() == 0);
        emit currentRowChanged(m_row);
    } else {
        emit rowUpdated(m_row);
    }
    emit stateChanged();
}

void Query::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    requireWritable();
    if (isEmpty())
        throw AppError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (onBeforeDelete)
        onBeforeDelete(*this);
    if (m_state == State::Edit)
        cancel();
    Field &keyColumn = keyField();
    m_db->execute(QStringLiteral("DELETE FROM %1 WHERE %2=:key").arg(updateTable(), keyColumn.originColumn()),
                  {{QStringLiteral("key"), rowAt(m_row).value(keyColumn.columnIndex())}});
    const int removed = m_row;
    eraseRow(removed);
    emit rowRemoved(removed);
    if (removed >= loadedCount())
        fetchMore(1);
    m_row = std::min(removed, loadedCount() - 1);
    m_eof = (loadedCount() == 0);
    emit currentRowChanged(m_row);
    if (onAfterDelete)
        onAfterDelete(*this);
}

void Query::setSortOrder(const QString &order)
{
    const bool wasOrdered = !m_sortOrder.isEmpty();
    if (m_windowed && isOpen() && (wasOrdered || !order.isEmpty())) {
        if (isEditing())
            post();
        m_sortOrder = order;
        refresh(); // the engine orders the keys again; the current record is found by its key
        emit rowsReordered();
        emit currentRowChanged(m_row);
        return;
    }
    m_sortOrder = order;
    if (isOpen() && (wasOrdered || !order.isEmpty())) {
        if (isEditing())
            post();
        sortRows();
        emit rowsReordered();
        emit currentRowChanged(m_row);
    }
}

// Orders every row by the named fields; the current record stays current.
void Query::sortRows()
{
    struct Key {
        int column;
        FieldType type;
        bool descending;
    };
    std::vector<Key> keys;
    for (const QString &part : m_sortOrder.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.section(QLatin1Char(':'), 0, 0).trimmed();
        const QString direction = part.section(QLatin1Char(':'), 1, 1).trimmed().toUpper();
        const Field *field = findField(name);
        if (field && field->columnIndex() >= 0)
            keys.push_back({field->columnIndex(), field->type(), direction.startsWith(QLatin1Char('D'))});
    }
    if (keys.empty() && !m_sortOrder.isEmpty())
        return;
    if (keys.empty())
        keys.push_back({m_columnCount, FieldType::Integer, false}); // the order of arrival
    fetchAll();
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<SortKeyColumn> columns;
    columns.reserve(keys.size());
    for (const Key &key : keys)
        columns.emplace_back(m_rows, key.column, key.type, collator);
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (size_t k = 0; k < keys.size(); ++k) {
            const int c = columns[k].compare(a, b);
            if (c != 0)
                return keys[k].descending ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    int current = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] == m_row)
            current = int(i);
        sorted.push_back(std::move(m_rows[size_t(order[i])]));
    }
    m_rows = std::move(sorted);
    m_row = current;
}

void Query::setMaster(Query *master, const QStringList &masterFields)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_masterFields = masterFields;
    if (!master)
        return;
    connect(master, &Query::currentRowChanged, this, &Query::followMaster);
    connect(master, &Query::rowUpdated, this, &Query::followMaster);
    connect(master, &Query::opened, this, &Query::followMaster);
    connect(master, &Query::closed, this, &Query::followMaster);
}

// A detail that follows its master to another record starts at its first row; when the master
// only re-read the same record, the detail keeps its record.
void Query::followMaster()
{
    if (!m_wantActive)
        return;
    closeInternal();
    m_lastPosition.row = std::min(m_lastPosition.row, 0);
    if (m_master && m_master->isOpen())
        open();
}
