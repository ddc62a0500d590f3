#pragma once
// A fake systemctl and crontab on PATH, so that the schedule code runs its real commands against
// a scheduler whose state lives in files of a temporary folder. The unit folder
// (XDG_CONFIG_HOME) and the user name are pointed there as well; everything is put back on
// destruction.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

namespace testsupport {

struct FakeSchedulerOptions {
    bool systemd = true; // a systemd user instance answers
    bool crontab = true; // a crontab program exists
};

class FakeScheduler {
public:
    using Options = FakeSchedulerOptions;

    explicit FakeScheduler(Options options = {})
        : m_savedPath(qgetenv("PATH")), m_savedConfig(qgetenv("XDG_CONFIG_HOME")), m_savedUser(qgetenv("USER"))
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("bin"));
        QDir(m_dir.path()).mkpath(QStringLiteral("state"));
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        writeScript(QStringLiteral("systemctl"), systemctlScript());
        if (options.crontab)
            writeScript(QStringLiteral("crontab"), crontabScript());
        if (!options.systemd)
            setFlag(QStringLiteral("no-systemd"));
        qputenv("PATH", binFolder().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", configFolder().toLocal8Bit());
        qputenv("USER", "tester");
        qputenv("FAKE_SCHEDULER_STATE", stateFolder().toLocal8Bit());
    }
    ~FakeScheduler()
    {
        qputenv("PATH", m_savedPath);
        restore("XDG_CONFIG_HOME", m_savedConfig);
        restore("USER", m_savedUser);
        qunsetenv("FAKE_SCHEDULER_STATE");
    }
    FakeScheduler(const FakeScheduler &) = delete;
    FakeScheduler &operator=(const FakeScheduler &) = delete;

    QString binFolder() const { return m_dir.filePath(QStringLiteral("bin")); }
    QString stateFolder() const { return m_dir.filePath(QStringLiteral("state")); }
    QString configFolder() const { return m_dir.filePath(QStringLiteral("config")); }
    QString unitFolder() const { return m_dir.filePath(QStringLiteral("config/systemd/user")); }
    QString lingerFolder() const { return m_dir.filePath(QStringLiteral("linger")); }

    // A file whose presence changes the fakes' answers: "no-systemd", "fail-enable".
    void setFlag(const QString &name) { QFile(QDir(stateFolder()).filePath(name)).open(QIODevice::WriteOnly); }
    bool timerEnabled(const QString &timer) const { return QFile::exists(QDir(stateFolder()).filePath("enabled-" + timer)); }
    void setCrontab(const QString &text) { writeFile(QDir(stateFolder()).filePath("crontab"), text.toUtf8()); }
    QString crontab() const { return readFile(QDir(stateFolder()).filePath("crontab")); }
    bool hasCrontab() const { return QFile::exists(QDir(stateFolder()).filePath("crontab")); }
    // Every command the fakes received, one per line, without the program's path.
    QStringList calls() const { return readFile(QDir(stateFolder()).filePath("calls")).split('\n', Qt::SkipEmptyParts); }
    void clearCalls() { QFile::remove(QDir(stateFolder()).filePath("calls")); }

private:
    static QByteArray systemctlScript()
    {
        return "#!/bin/sh\n"
               "PATH=/usr/bin:/bin\n"
               "s=\"$FAKE_SCHEDULER_STATE\"\n"
               "echo \"systemctl $*\" >> \"$s/calls\"\n"
               "[ \"$1\" = --user ] || { echo 'only --user' >&2; exit 2; }\n"
               "shift\n"
               "case \"$1\" in\n"
               "  show-environment) [ -f \"$s/no-systemd\" ] && { echo 'Failed to connect to bus: No medium found' >&2; exit 1; }; echo HOME=/home/tester ;;\n"
               "  is-enabled) if [ -f \"$s/enabled-$2\" ]; then echo enabled; else echo disabled; exit 1; fi ;;\n"
               "  enable) [ -f \"$s/fail-enable\" ] && { echo \"Failed to enable unit: Unit $2 is masked.\" >&2; exit 1; }; touch \"$s/enabled-$2\" ;;\n"
               "  disable) [ \"$2\" = --now ] && shift; rm -f \"$s/enabled-$2\" ;;\n"
               "  daemon-reload|restart) ;;\n"
               "  *) echo \"unknown $1\" >&2; exit 2 ;;\n"
               "esac\n";
    }
    static QByteArray crontabScript()
    {
        return "#!/bin/sh\n"
               "PATH=/usr/bin:/bin\n"
               "s=\"$FAKE_SCHEDULER_STATE\"\n"
               "echo \"crontab $*\" >> \"$s/calls\"\n"
               "case \"$1\" in\n"
               "  -l) [ -f \"$s/crontab\" ] || { echo 'no crontab for tester' >&2; exit 1; }; cat \"$s/crontab\" ;;\n"
               "  -) cat > \"$s/crontab\" ;;\n"
               "  -r) rm -f \"$s/crontab\" ;;\n"
               "esac\n";
    }
    void writeScript(const QString &name, const QByteArray &text)
    {
        const QString path = QDir(binFolder()).filePath(name);
        writeFile(path, text);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QString readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static void restore(const char *name, const QByteArray &value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir m_dir;
    QByteArray m_savedPath;
    QByteArray m_savedConfig;
    QByteArray m_savedUser;
};

} // namespace testsupport
