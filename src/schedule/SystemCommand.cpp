#include "schedule/SystemCommand.h"

#include "db/AppError.h"

#include <QProcess>

namespace {
constexpr int kWaitMs = 20000;
}

SystemCommand::Result SystemCommand::run(const QString &program, const QStringList &arguments, const QByteArray &input)
{
    Result result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(kWaitMs)) {
        result.errors = process.errorString();
        return result;
    }
    result.started = true;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(kWaitMs)) {
        process.kill();
        process.waitForFinished();
        result.errors = process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return result;
}

SystemCommand::Result SystemCommand::runOrThrow(const QString &program, const QStringList &arguments, const QByteArray &input)
{
    Result result = run(program, arguments, input);
    if (!result.succeeded()) {
        const QString reason = result.errors.isEmpty() ? QStringLiteral("çıkış kodu %1").arg(result.exitCode) : result.errors;
        throw AppError(QStringLiteral("Zamanlayıcı ayarlanamadı: %1 %2 (%3)")
                           .arg(program, arguments.join(QLatin1Char(' ')), reason));
    }
    return result;
}
