#include "db/Statement.h"

#include "db/Database.h"
#include "db/RepeatedTextPool.h"
#include "db/StoredValue.h"

#include <sqlite3.h>

Statement::Statement(const Database &db, const QString &sql) : m_db(db)
{
    if (!db.isOpen())
        db.raiseLastError();
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr)
        != SQLITE_OK)
        db.raiseLastError();
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(const QString &name, const QVariant &value)
{
    if (!m_stmt)
        return;
    const int index = sqlite3_bind_parameter_index(m_stmt, (QLatin1Char(':') + name).toUtf8().constData());
    if (index == 0)
        return;
    const QVariant stored = StoredValue::toStored(value);
    int rc = SQLITE_OK;
    if (stored.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (stored.typeId()) {
        case QMetaType::LongLong:
            rc = sqlite3_bind_int64(m_stmt, index, stored.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, index, stored.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = stored.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = stored.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, text.constData(), sqlite3_uint64(text.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        m_db.raiseLastError();
}

void Statement::bindAll(const QVariantMap &params)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        bind(it.key(), it.value());
}

bool Statement::step()
{
    if (!m_stmt)
        return false; // an empty statement (only blanks or comments) has no rows
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_db.raiseLastError();
}

void Statement::reset()
{
    if (m_stmt)
        sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::declaredType(int column) const
{
    return QString::fromUtf8(sqlite3_column_decltype(m_stmt, column));
}

QString Statement::originTable(int column) const
{
    return QString::fromUtf8(sqlite3_column_table_name(m_stmt, column));
}

QString Statement::originColumn(int column) const
{
    return QString::fromUtf8(sqlite3_column_origin_name(m_stmt, column));
}

QVariant Statement::columnValue(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        const int bytes = sqlite3_column_bytes(m_stmt, column);
        return QVariant(m_textPool ? m_textPool->text(column, text, bytes) : QString::fromUtf8(text, bytes));
    }
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
    }
    default:
        return QVariant();
    }
}

void Statement::shareRepeatedTexts()
{
    if (!m_textPool)
        m_textPool = std::make_unique<RepeatedTextPool>();
}
