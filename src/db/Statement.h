#pragma once
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

class Database;
class RepeatedTextPool;
struct sqlite3_stmt;

// One prepared statement. Values come back in the engine's own types (qint64, double, QString,
// QByteArray or null); parameters are bound from typed values in their stored forms.
class Statement {
public:
    Statement(const Database &db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds ":name"; a name the statement does not use is ignored.
    void bind(const QString &name, const QVariant &value);
    void bindAll(const QVariantMap &params);
    // Advances to the next row: true when there is one, false when done. Throws on error.
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    QString originTable(int column) const;
    QString originColumn(int column) const;
    QVariant columnValue(int column) const;
    // From now on, equal texts read from a column share one copy (for results read in full).
    void shareRepeatedTexts();

private:
    const Database &m_db;
    sqlite3_stmt *m_stmt = nullptr;
    std::unique_ptr<RepeatedTextPool> m_textPool;
};
