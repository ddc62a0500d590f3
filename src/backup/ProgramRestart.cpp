#include "backup/ProgramRestart.h"

#include "db/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Kept outside Qt: at exit the application object is gone.
std::string g_program;
std::string g_folder;

} // namespace

void ProgramRestart::startAgainAndQuit()
{
    const QString program = QCoreApplication::applicationFilePath();
    if (!QFileInfo(program).isExecutable())
        throw AppError(QStringLiteral("Program yeniden başlatılamadı (%1); lütfen programı yeniden açın.").arg(program));
    const bool firstTime = g_program.empty();
    g_program = QFile::encodeName(program).toStdString();
    g_folder = QFile::encodeName(QDir::currentPath()).toStdString();
    if (firstTime)
        std::atexit(&ProgramRestart::startAtExit);
    QCoreApplication::exit(0);
}

void ProgramRestart::startAtExit()
{
    if (g_program.empty())
        return;
    if (::fork() != 0)
        return; // this process goes on ending; a failed fork leaves the operator to start again
    ::setsid();
    if (::chdir(g_folder.c_str()) == 0)
        ::execl(g_program.c_str(), g_program.c_str(), static_cast<char *>(nullptr));
    ::_exit(127);
}
