#include "SqliteShell.h"

#include "db/AppError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace {

QString writeTemporary(QTemporaryFile &file, const QByteArray &contents)
{
    if (!file.open() || file.write(contents) != contents.size() || !file.flush())
        throw AppError(QStringLiteral("Temporary file: %1").arg(file.errorString()));
    return file.fileName();
}

// One figure of the report of /usr/bin/time -v, e.g. "Maximum resident set size (kbytes): 47088".
double reportedFigure(const QString &report, const QString &label)
{
    const QRegularExpression line(QStringLiteral("^\\s*%1: ([\\d.]+)$").arg(QRegularExpression::escape(label)),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(report);
    if (!match.hasMatch())
        throw AppError(QStringLiteral("No \"%1\" in the report of %2").arg(label, QLatin1String(SqliteShell::kTimeProgram)));
    return match.captured(1).toDouble();
}

void readTimeReport(const QString &path, Measurement &result)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw AppError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QString report = QString::fromLocal8Bit(file.readAll());
    result.peakKb = qint64(reportedFigure(report, QStringLiteral("Maximum resident set size (kbytes)")));
    result.cpuSeconds = reportedFigure(report, QStringLiteral("User time (seconds)"))
        + reportedFigure(report, QStringLiteral("System time (seconds)"));
}

} // namespace

QString SqliteShell::connectionSettings()
{
    return QStringLiteral("PRAGMA cache_size=10000; PRAGMA locking_mode=EXCLUSIVE; PRAGMA synchronous=FULL; "
                          "PRAGMA journal_mode=DELETE;\n");
}

bool SqliteShell::reportsResources()
{
    return QFileInfo(QLatin1String(kTimeProgram)).isExecutable();
}

Measurement SqliteShell::run(const QString &folder, const QString &script) const
{
    QTemporaryFile scriptFile;
    QTemporaryFile timeReport;
    const QString scriptPath = writeTemporary(scriptFile, script.toUtf8());
    const QStringList shellCall = {QLatin1String(kProgram), QStringLiteral("-bail"), QStringLiteral("qrt.db")};

    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(scriptPath);
    process.setStandardOutputFile(QProcess::nullDevice());
    if (reportsResources()) {
        const QString reportPath = writeTemporary(timeReport, QByteArray());
        process.setProgram(QLatin1String(kTimeProgram));
        process.setArguments(QStringList{QStringLiteral("-v"), QStringLiteral("-o"), reportPath} + shellCall);
    } else {
        process.setProgram(shellCall.first());
        process.setArguments(shellCall.mid(1));
    }

    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForStarted(-1))
        throw AppError(QStringLiteral("%1: %2").arg(process.program(), process.errorString()));
    process.waitForFinished(-1);
    Measurement result;
    result.seconds = double(timer.nsecsElapsed()) / 1e9;

    const QString errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !errors.isEmpty())
        throw AppError(QStringLiteral("sqlite3 failed (exit %1): %2").arg(process.exitCode()).arg(errors));
    if (reportsResources())
        readTimeReport(timeReport.fileName(), result);
    return result;
}
