#include "schedule/CrontabSchedule.h"

#include "db/AppError.h"
#include "schedule/SystemCommand.h"

#include <QRegularExpression>

namespace {

const QString kCrontab = QStringLiteral("crontab");

// A word for the shell, in single quotes.
QString shellWord(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

// In a crontab line "%" ends the command, so it is escaped.
QString cronCommand(const QString &command)
{
    return QString(command).replace(QLatin1Char('%'), QStringLiteral("\\%"));
}

} // namespace

CrontabSchedule::CrontabSchedule(ScheduledRun run) : m_run(std::move(run)) {}

QString CrontabSchedule::tag() const
{
    return QStringLiteral("# selvane-otokaydet-") + m_run.id();
}

QString CrontabSchedule::lineFor(const QTime &time) const
{
    const QString command = QStringLiteral("cd %1 && %2 -otokaydet 2>>otokaydet.log")
                                .arg(shellWord(m_run.folder()), shellWord(m_run.program()));
    return QStringLiteral("%1 %2 * * * %3 %4").arg(time.minute()).arg(time.hour()).arg(cronCommand(command), tag());
}

bool CrontabSchedule::available()
{
    return SystemCommand::run(kCrontab, {QStringLiteral("-l")}).started;
}

// A user without a crontab gets "no crontab for <user>" and exit status 1: an empty list.
QStringList CrontabSchedule::currentLines(bool *exists) const
{
    const SystemCommand::Result listed = SystemCommand::run(kCrontab, {QStringLiteral("-l")});
    if (exists)
        *exists = listed.succeeded();
    if (listed.succeeded())
        return listed.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (listed.started && listed.errors.contains(QLatin1String("no crontab")))
        return {};
    throw AppError(QStringLiteral("Zamanlayıcı okunamadı: crontab -l (%1)").arg(listed.errors));
}

QStringList CrontabSchedule::linesWithoutOurs(const QStringList &lines) const
{
    QStringList kept;
    for (const QString &line : lines) {
        if (!line.trimmed().endsWith(tag()))
            kept << line;
    }
    return kept;
}

void CrontabSchedule::writeLines(const QStringList &lines) const
{
    const QString text = lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (text.isEmpty())
        SystemCommand::runOrThrow(kCrontab, {QStringLiteral("-r")});
    else
        SystemCommand::runOrThrow(kCrontab, {QStringLiteral("-")}, text.toLocal8Bit());
}

DailySchedule::State CrontabSchedule::read()
{
    State state;
    state.mechanism = QStringLiteral("crontab");
    static const QRegularExpression fields(QStringLiteral("^\\s*(\\d{1,2})\\s+(\\d{1,2})\\s"));
    for (const QString &line : currentLines()) {
        if (!line.trimmed().endsWith(tag()))
            continue;
        state.installed = true;
        const QRegularExpressionMatch match = fields.match(line);
        if (match.hasMatch())
            state.time = QTime(match.captured(2).toInt(), match.captured(1).toInt());
    }
    return state;
}

void CrontabSchedule::install(const QTime &time)
{
    writeLines(linesWithoutOurs(currentLines()) << lineFor(time));
}

void CrontabSchedule::remove()
{
    bool exists = false;
    const QStringList lines = currentLines(&exists);
    const QStringList kept = linesWithoutOurs(lines);
    if (exists && kept.size() != lines.size())
        writeLines(kept);
}
