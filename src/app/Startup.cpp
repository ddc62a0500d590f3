#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/SelvaneApplication.h"
#include "app/TAboutBox.h"
#include "app/Tmainform.h"
#include "backup/DailyBackup.h"
#include "privacy/ErasureBackup.h"
#include "forms/TFormAyar.h"
#include "forms/TFormMisafirCikis.h"
#include "forms/TFormMisafirEdit.h"
#include "forms/TFormXmlKaydet.h"
#include "forms/TFrameMisafirler.h"
#include "forms/TFrameTesisler.h"
#include "forms/MessageBoxes.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "gen/TransientMessage.h"
#include "delivery/UnattendedExport.h"
#include "instance/InstanceClient.h"
#include "instance/InstanceName.h"
#include "instance/InstanceServer.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>

namespace {

void writeToStandardError(const QString &message)
{
    std::fprintf(stderr, "Selvane: %s\n", message.toUtf8().constData());
    std::fflush(stderr);
}

// A scheduled run's standard error is its trace: only our own lines and real failures go there,
// not the toolkit's notes about display plugins.
void quietToolkitNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        writeToStandardError(message);
}

void showErrorBox(const QString &message)
{
    MessageBoxes::showError(QApplication::activeWindow(), message);
}

// The register, in the working directory; its path names the program that holds it.
const QString kRegisterFile = QStringLiteral("qrt.db");

// How long a scheduled run waits for the open window's next message, and a second start for the
// running window to say it came to the front.
constexpr int kHandOverSilenceMs = 60000;
constexpr int kRaiseAnswerMs = 10000;

// One line of the export's trace on standard error, as it comes.
void writeTraceLine(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// While the interactive program starts, an error already shown is not shown again: a register
// that cannot be opened fails the data module first and then every frame that reads from it,
// and a second box with the same text would only say it twice.
bool g_starting = false;
QStringList g_shownWhileStarting;

void showErrorBoxOnceWhileStarting(const QString &message)
{
    if (g_starting && g_shownWhileStarting.contains(message)) {
        writeToStandardError(message);
        return;
    }
    if (g_starting)
        g_shownWhileStarting << message;
    showErrorBox(message);
}

} // namespace

// A scheduled run may find no display at all (a server, a locked desktop); the transient
// messages then go to Qt's offscreen platform instead of ending the run.
void Startup::chooseDisplayPlatform(bool unattended)
{
    if (!unattended || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const bool hasDisplay = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", hasDisplay ? "xcb;wayland;offscreen" : "offscreen");
}

// A session without regional settings (the "C" locale of a bare install, of cron or of a service)
// gets Turkish ones: the program speaks only Turkish, and its operators write dates as 10.12.2026
// and decimals with a comma. Settings the user chose are kept.
void Startup::chooseRegionalSettings()
{
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

// The toolkit's own texts (the buttons of a question, the folder chooser, an editor's context
// menu) are Turkish like the rest of the program, whatever the session's language. Without
// Debian's translation files they stay in English, which costs nothing but looks.
void Startup::installToolkitTranslation(QObject *application)
{
    auto *translator = new QTranslator(application);
    if (translator->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

void Startup::applyTheme()
{
    QFile file(QStringLiteral(":/app/AmethystKamri.qss"));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Tema yüklenemedi: %1").arg(file.errorString()));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
}

int Startup::run(int argc, char **argv)
{
    const bool unattended = CommandLine::modeFor(argc, argv) == CommandLine::Mode::Unattended;
    chooseDisplayPlatform(unattended);
    if (unattended)
        qInstallMessageHandler(quietToolkitNotes);
    Q_INIT_RESOURCE(app);
    SelvaneApplication application(argc, argv);
    chooseRegionalSettings();
    installToolkitTranslation(&application);
    // No display name of its own: the desktop would add it to every window's caption, and a
    // window's title is its caption alone. Message boxes take the program's name.
    QApplication::setApplicationName(QStringLiteral("Selvane"));
    QApplication::setApplicationVersion(QStringLiteral(SELVANE_VERSION));
    // Nothing may wait for a click in a scheduled run: errors go to standard error there.
    ErrorSink::setHandler(unattended ? ErrorSink::Handler(writeToStandardError) : ErrorSink::Handler(showErrorBox));
    ErrorSink::guard([] { applyTheme(); });

    // Who holds the register is settled before the data module opens it: the holder keeps the
    // file locked for as long as it runs.
    const QString instanceName = InstanceName::forRegister(kRegisterFile);
    return unattended ? runUnattended(instanceName) : runInteractive(instanceName);
}

// A register held by the open window is exported there; otherwise this process runs it.
int Startup::runUnattended(const QString &instanceName)
{
    setMesajGosterStderrTrace(true);
    InstanceClient client(instanceName);
    if (client.connectToRunning())
        return handExportOver(client);
    Tdm1 dataModule;
    return runUnattendedExport(QLatin1Char('O'), writeTraceLine);
}

int Startup::handExportOver(InstanceClient &client)
{
    QString error;
    const std::optional<int> status = client.requestExport(writeTraceLine, kHandOverSilenceMs, &error);
    if (status)
        return *status;
    writeToStandardError(error);
    return 1;
}

// One program per register: a second start brings the running window forward and ends.
int Startup::runInteractive(const QString &instanceName)
{
    InstanceServer server(instanceName);
    QString error;
    switch (server.claim(&error)) {
    case InstanceServer::Claim::AnotherAnswers:
        return bringRunningProgramForward(instanceName);
    case InstanceServer::Claim::NotListening:
        // The program still works; only another start cannot find it.
        writeToStandardError(QStringLiteral("Yerel soket açılamadı; başka bir başlatma bu pencereyi bulamayacak. (%1)")
                                 .arg(error));
        break;
    case InstanceServer::Claim::Listening:
        break;
    }
    reportErrorsOnceWhileStarting(true);
    Tdm1 dataModule;
    // The stays past the keeping period are erased only with today's copy of the register in hand.
    ErasureBackup::setRoutine([] { DailyBackup::requireCopyOfToday(QStringLiteral("qrt.db")); });
    const std::unique_ptr<Tmainform> mainform = createWindows(dataModule);
    mainform->showMaximized();
    reportErrorsOnceWhileStarting(false);
    server.startServing(mainform.get(), [](const InstanceServer::TraceSink &trace) {
        return runUnattendedExport(QLatin1Char('D'), trace);
    });
    return QApplication::exec();
}

int Startup::bringRunningProgramForward(const QString &instanceName)
{
    InstanceClient client(instanceName);
    QString error;
    if (client.connectToRunning() && client.requestRaise(kRaiseAnswerMs, &error))
        return 0;
    if (error.isEmpty())
        error = QStringLiteral("Bu klasörde açık olan Selvane yanıt vermedi.");
    showErrorBox(error);
    return 1;
}

void Startup::reportErrorsOnceWhileStarting(bool starting)
{
    g_starting = starting;
    g_shownWhileStarting.clear();
    ErrorSink::setHandler(starting ? ErrorSink::Handler(showErrorBoxOnceWhileStarting)
                                   : ErrorSink::Handler(showErrorBox));
}

// The windows are created once, in this order, and live until the program ends; the secondary
// ones are shown modally and only hidden when closed.
std::unique_ptr<Tmainform> Startup::createWindows(Tdm1 &dm)
{
    auto *guests = new TFrameMisafirler(&dm);
    auto *facilities = new TFrameTesisler(&dm);
    auto mainform = std::make_unique<Tmainform>(&dm, guests, facilities);
    auto *about = new TAboutBox(mainform.get());
    auto *entry = new TFormMisafirEdit(&dm, mainform.get());
    auto *settings = new TFormAyar(dm.dbMain(), dm.il_db(), mainform.get());
    auto *exportWindow = new TFormXmlKaydet(dm.dbMain(), dm.il_db(), dm.FDT(), settings, mainform.get());
    auto *checkOut = new TFormMisafirCikis(dm.dbMain(), dm.FDT(), dm.il_db(), mainform.get());
    mainform->setWindows(about, settings, exportWindow);
    guests->setWindows(entry, checkOut);
    return mainform;
}
