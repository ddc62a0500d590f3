#include "schedule/SystemdUserSchedule.h"

#include "db/AppError.h"
#include "schedule/SystemCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace {

const QString kSystemctl = QStringLiteral("systemctl");

// A value in a unit file: "%" starts a specifier, so it is doubled.
QString unitValue(const QString &text)
{
    return QString(text).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// A word of ExecStart=, quoted so that a path with spaces stays one word.
QString execWord(const QString &text)
{
    QString escaped = unitValue(text);
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""))
        .replace(QLatin1Char('$'), QStringLiteral("$$"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString userName()
{
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? qEnvironmentVariable("LOGNAME") : user;
}

} // namespace

SystemdUserSchedule::SystemdUserSchedule(ScheduledRun run) : m_run(std::move(run)) {}

QString SystemdUserSchedule::unitFolder() const
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(config).filePath(QStringLiteral("systemd/user"));
}

QString SystemdUserSchedule::baseName() const
{
    return QStringLiteral("selvane-otokaydet-") + m_run.id();
}

QString SystemdUserSchedule::timerName() const
{
    return baseName() + QStringLiteral(".timer");
}

QString SystemdUserSchedule::serviceName() const
{
    return baseName() + QStringLiteral(".service");
}

QString SystemdUserSchedule::serviceText() const
{
    return QStringLiteral("[Unit]\n"
                          "Description=Selvane otomatik kayıt: %1\n"
                          "\n"
                          "[Service]\n"
                          "Type=oneshot\n"
                          "WorkingDirectory=%2\n"
                          "ExecStart=%3 -otokaydet\n")
        .arg(unitValue(m_run.folder()), unitValue(m_run.folder()), execWord(m_run.program()));
}

QString SystemdUserSchedule::timerText(const QTime &time) const
{
    return QStringLiteral("[Unit]\n"
                          "Description=Selvane otomatik kayıt her gün %1: %2\n"
                          "\n"
                          "[Timer]\n"
                          "OnCalendar=*-*-* %3\n"
                          "Persistent=true\n"
                          "\n"
                          "[Install]\n"
                          "WantedBy=timers.target\n")
        .arg(time.toString(QStringLiteral("HH:mm")), unitValue(m_run.folder()), time.toString(QStringLiteral("HH:mm:00")));
}

// The user's systemd instance answers only inside a session that has one (not under cron, not
// in a bare container).
bool SystemdUserSchedule::available()
{
    return SystemCommand::run(kSystemctl, {QStringLiteral("--user"), QStringLiteral("show-environment")}).succeeded();
}

DailySchedule::State SystemdUserSchedule::read()
{
    State state;
    state.mechanism = QStringLiteral("systemd kullanıcı zamanlayıcısı %1").arg(timerName());
    const SystemCommand::Result enabled =
        SystemCommand::run(kSystemctl, {QStringLiteral("--user"), QStringLiteral("is-enabled"), timerName()});
    state.installed = enabled.started && enabled.output.trimmed() == QLatin1String("enabled");
    if (state.installed)
        state.time = timeInTimerFile();
    return state;
}

QTime SystemdUserSchedule::timeInTimerFile() const
{
    QFile file(QDir(unitFolder()).filePath(timerName()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression onCalendar(QStringLiteral("^OnCalendar=\\*-\\*-\\* (\\d\\d):(\\d\\d)(:00)?\\s*$"),
                                               QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = onCalendar.match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? QTime(match.captured(1).toInt(), match.captured(2).toInt()) : QTime();
}

void SystemdUserSchedule::writeUnitFile(const QString &name, const QString &text) const
{
    if (!QDir().mkpath(unitFolder()))
        throw AppError(QStringLiteral("Zamanlayıcı klasörü oluşturulamadı: %1").arg(unitFolder()));
    QFile file(QDir(unitFolder()).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) || file.write(text.toUtf8()) < 0)
        throw AppError(QStringLiteral("Zamanlayıcı dosyası yazılamadı: %1 (%2)").arg(file.fileName(), file.errorString()));
}

void SystemdUserSchedule::systemctl(const QStringList &arguments)
{
    SystemCommand::runOrThrow(kSystemctl, QStringList{QStringLiteral("--user")} + arguments);
}

void SystemdUserSchedule::install(const QTime &time)
{
    writeUnitFile(serviceName(), serviceText());
    writeUnitFile(timerName(), timerText(time));
    systemctl({QStringLiteral("daemon-reload")});
    systemctl({QStringLiteral("enable"), timerName()});
    // A timer that was already running takes the new time only when started again.
    systemctl({QStringLiteral("restart"), timerName()});
}

void SystemdUserSchedule::remove()
{
    const QDir folder(unitFolder());
    if (!folder.exists(timerName()) && !folder.exists(serviceName()))
        return;
    systemctl({QStringLiteral("disable"), QStringLiteral("--now"), timerName()});
    for (const QString &name : {timerName(), serviceName()}) {
        if (folder.exists(name) && !QFile::remove(folder.filePath(name)))
            throw AppError(QStringLiteral("Zamanlayıcı dosyası silinemedi: %1").arg(folder.filePath(name)));
    }
    systemctl({QStringLiteral("daemon-reload")});
}

QString SystemdUserSchedule::note()
{
    if (QFileInfo::exists(QDir(m_lingerFolder).filePath(userName())))
        return {};
    return QStringLiteral("Oturum kapalıyken de çalışması için bir kez: loginctl enable-linger %1").arg(userName());
}
