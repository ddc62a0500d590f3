#include "WorkerProcess.h"

#include "db/AppError.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>

namespace {

const QString kResultTag = QStringLiteral("selvane-bench-result");

} // namespace

Measurement WorkerProcess::run(const QString &kind, const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(QStringList{QLatin1String(kSwitch), kind, folder} + arguments);
    process.start();
    if (!process.waitForStarted(-1))
        throw AppError(QStringLiteral("%1: %2").arg(process.program(), process.errorString()));
    process.waitForFinished(-1);
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw AppError(QStringLiteral("Worker %1 failed (exit %2): %3").arg(kind).arg(process.exitCode()).arg(errors));

    static const QRegularExpression line(QStringLiteral("^%1 (\\S+) (\\S+) (\\d+) (\\d+) ?(.*)$").arg(kResultTag),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(output);
    if (!match.hasMatch())
        throw AppError(QStringLiteral("Worker %1 gave no result: %2 %3").arg(kind, output, errors));
    Measurement result;
    result.seconds = match.captured(1).toDouble();
    result.cpuSeconds = match.captured(2).toDouble();
    result.peakKb = match.captured(3).toLongLong();
    result.baseKb = match.captured(4).toLongLong();
    result.note = match.captured(5).trimmed();
    return result;
}

void WorkerProcess::report(const Measurement &measurement)
{
    std::printf("%s %.6f %.6f %lld %lld %s\n", qPrintable(kResultTag), measurement.seconds, measurement.cpuSeconds,
                static_cast<long long>(measurement.peakKb), static_cast<long long>(measurement.baseKb),
                measurement.note.toUtf8().constData());
    std::fflush(stdout);
}
