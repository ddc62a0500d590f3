#pragma once
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

struct sqlite3;

// The one connection of the process to the SQLite file. Statements report errors with the
// engine's own text ("database is locked"); the connection never waits for a lock.
class Database : public QObject {
    Q_OBJECT
public:
    explicit Database(QObject *parent = nullptr);
    ~Database() override;

    // Opens (creating when missing) the file, resolved against the working directory, and applies
    // the connection settings. Throws DatabaseError with the engine's text.
    void open(const QString &fileName);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }
    QString fileName() const { return m_fileName; }

    // Runs a script of several statements in text order, outside any transaction of the caller.
    // With ignoreMissingObjects, a "no such ..." error ends the script quietly instead of being
    // raised; what ran before an error stays.
    void executeScript(const QString &script, bool ignoreMissingObjects = false);
    // Runs one statement with named parameters (":name" in the text, keys without the colon).
    // Returns the number of rows it changed.
    int execute(const QString &sql, const QVariantMap &params = {});
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantMap &params = {});

    void loadExtension(const QString &path, const QString &entryPoint);

    qint64 lastInsertRowId() const;
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

    // Called with true before and false after each command that touches the engine, so that the
    // user interface can show a wait cursor while the database works.
    void setCommandObserver(std::function<void(bool)> observer) { m_observer = std::move(observer); }

    [[noreturn]] void raiseLastError() const;

    // Marks one engine command for the command observer (nesting allowed).
    class CommandScope {
    public:
        explicit CommandScope(const Database &db);
        ~CommandScope();
        CommandScope(const CommandScope &) = delete;
        CommandScope &operator=(const CommandScope &) = delete;

    private:
        const Database &m_db;
    };

private:
    void applyConnectionSettings();

    sqlite3 *m_db = nullptr;
    QString m_fileName;
    QString m_openError; // why the last opening failed, repeated to whoever uses the closed connection
    std::function<void(bool)> m_observer;
    mutable int m_commandDepth = 0;
};
