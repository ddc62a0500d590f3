#include "backup/ProgramRestart.h"

#include "db/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

void ProgramRestart::startAgainAndQuit()
{
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {}, QDir::currentPath()))
        throw AppError(QStringLiteral("Program yeniden başlatılamadı; lütfen programı yeniden açın."));
    QCoreApplication::exit(0);
}
