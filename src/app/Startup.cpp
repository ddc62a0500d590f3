#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/SelvaneApplication.h"
#include "app/TAboutBox.h"
#include "app/Tmainform.h"
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

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
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

    Tdm1 dataModule;
    return unattended ? runUnattended() : runInteractive(dataModule);
}

int Startup::runUnattended()
{
    setMesajGosterStderrTrace(true);
    return runUnattendedExport(QLatin1Char('O'), [](const QString &line) {
        const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        std::fflush(stderr);
    });
}

// The windows are created once, in this order, and live until the program ends; the secondary
// ones are shown modally and only hidden when closed.
int Startup::runInteractive(Tdm1 &dm)
{
    auto *guests = new TFrameMisafirler(&dm);
    auto *facilities = new TFrameTesisler(&dm);
    Tmainform mainform(&dm, guests, facilities);
    auto *about = new TAboutBox(&mainform);
    auto *entry = new TFormMisafirEdit(&dm, &mainform);
    auto *settings = new TFormAyar(dm.dbMain(), dm.il_db(), &mainform);
    auto *exportWindow = new TFormXmlKaydet(dm.dbMain(), dm.il_db(), dm.FDT(), settings, &mainform);
    auto *checkOut = new TFormMisafirCikis(dm.dbMain(), dm.FDT(), dm.il_db(), &mainform);
    mainform.setWindows(about, settings, exportWindow);
    guests->setWindows(entry, checkOut);
    mainform.showMaximized();
    return QApplication::exec();
}
