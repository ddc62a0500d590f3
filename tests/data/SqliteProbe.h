#pragma once
// A direct connection to a database file for the tests: runs SQL and reads rows as text, with no
// part of the program in between.
#include <QList>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <sqlite3.h>

#include <memory>

class SqliteProbe {
public:
    static inline const QString null = QStringLiteral("<NULL>");

    explicit SqliteProbe(const QString &fileName)
    {
        sqlite3 *handle = nullptr;
        const int rc = sqlite3_open(fileName.toUtf8().constData(), &handle);
        m_db.reset(handle);
        if (rc != SQLITE_OK)
            QTest::qFail(sqlite3_errmsg(handle), __FILE__, __LINE__);
        // A throw-away test file needs no protection against power cuts; without this every
        // seed row of the creation script waits for the disk.
        exec(QStringLiteral("PRAGMA synchronous=OFF"));
    }

    // Runs SQL that may hold several statements; returns the engine's message or an empty text.
    QString exec(const QString &sql)
    {
        char *error = nullptr;
        const int rc = sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString message = rc == SQLITE_OK ? QString() : QString::fromUtf8(error);
        sqlite3_free(error);
        return message;
    }

    // Every row of a query, each value as text; NULL reads as <NULL>. The parameters are bound as
    // text in order (a name used twice is one parameter).
    QList<QStringList> rows(const QString &sql, const QStringList &parameters = {})
    {
        QList<QStringList> result;
        sqlite3_stmt *raw = nullptr;
        if (sqlite3_prepare_v2(m_db.get(), sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK) {
            QTest::qFail(sqlite3_errmsg(m_db.get()), __FILE__, __LINE__);
            return result;
        }
        std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> stmt(raw, &sqlite3_finalize);
        for (int i = 0; i < parameters.size(); ++i)
            sqlite3_bind_text(raw, i + 1, parameters[i].toUtf8().constData(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(raw) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(raw); ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(raw, i));
                row << (text ? QString::fromUtf8(text) : null);
            }
            result << row;
        }
        return result;
    }

    // The first value of the first row.
    QString value(const QString &sql, const QStringList &parameters = {})
    {
        const auto result = rows(sql, parameters);
        return result.isEmpty() || result.first().isEmpty() ? null : result.first().first();
    }

private:
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> m_db{nullptr, &sqlite3_close};
};
