#include "data/Tdm1.h"

#include "backup/DailyBackup.h"
#include "data/CreationScript.h"
#include "db/BooleanWords.h"
#include "db/ErrorSink.h"
#include "gen/StandardFieldSets.h"
#include "privacy/PrivacySchema.h"
#include "privacy/RegisterFileMode.h"

#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>

Tdm1 *dm1 = nullptr;

Tdm1::Tdm1(QObject *parent)
    : QObject(parent), m_uyruk(&m_dbMain), m_kimlikturu(&m_dbMain), m_links(m_dbMain)
{
    dm1 = this;
    m_uyruk.setSql(QStringLiteral("SELECT * FROM UYRUK"));
    m_uyruk.setReadOnly(true);
    m_kimlikturu.setSql(QStringLiteral("SELECT * FROM KIMLIKTURU"));
    m_kimlikturu.setReadOnly(true);
    useWaitCursorWhileCommandsRun();
    // A failing step ends the start-up of the module; its message is shown once and the program
    // goes on starting, so that the user sees the window and the error.
    ErrorSink::guard([this] { DataModuleCreate(); });
}

Tdm1::~Tdm1()
{
    m_fdt.reset();
    m_uyruk.close();
    m_kimlikturu.close();
    m_dbMain.close();
    if (dm1 == this)
        dm1 = nullptr;
}

void Tdm1::DataModuleCreate()
{
    m_dbMain.close();
    m_links.fillDefaultLinks();
    BooleanWords::setWords({QStringLiteral("E"), QStringLiteral("Y"), QStringLiteral("Yes"),
                            QStringLiteral("Evet"), QStringLiteral("1"), QStringLiteral("True")},
                           {QStringLiteral("H"), QStringLiteral("N"), QStringLiteral("No"),
                            QStringLiteral("Hayır"), QStringLiteral("0"), QStringLiteral("False")});
    DailyBackup::atInteractiveStart(QStringLiteral("qrt.db"));
    sqlite_userlocalvt_ac();
    m_fdt = std::make_unique<TDataTanimlari>();
    m_fdt->fieldSetEkle(QStringLiteral("MISAFIR"), misafirFieldSet());
    m_fdt->fieldSetEkle(QStringLiteral("ODAEV"), odaevFieldSet());
}

void Tdm1::sqlite_userlocalvt_ac()
{
    const QString script = creationScriptText();
    m_uyruk.close();
    m_kimlikturu.close();
    m_dbMain.close();
    RegisterFileMode::openOwnerOnly(m_dbMain, QStringLiteral("qrt.db"));
    loadOptionalExtension();
    m_dbMain.executeScript(script, true);
    PrivacySchema::ensure(m_dbMain);
    m_uyruk.open();
    m_kimlikturu.open();
}

// Loads at most one extension; a library that is present but cannot be loaded is reported and
// the database is used without it.
void Tdm1::loadOptionalExtension()
{
    ErrorSink::guard([this] {
        if (QFileInfo::exists(QLatin1String(kFuzzyExtension)))
            m_dbMain.loadExtension(QStringLiteral("./") + QLatin1String(kFuzzyExtension),
                                   QStringLiteral("sqlite3_extension_init"));
        else if (QFileInfo::exists(QLatin1String(kIcuExtension)))
            m_dbMain.loadExtension(QStringLiteral("./") + QLatin1String(kIcuExtension),
                                   QStringLiteral("sqlite3_icu_init"));
    });
}

void Tdm1::useWaitCursorWhileCommandsRun()
{
    m_dbMain.setCommandObserver([](bool started) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        if (started)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    });
}

int Tdm1::TablolinkDetayKontrol(const QString &tablo, const Query &Fields, const QString &options,
                                const TableLinkList *LinkDataset)
{
    return m_links.TablolinkDetayKontrol(tablo, Fields, options, LinkDataset);
}

bool Tdm1::TablolinkDetayVarmi(const QString &tablo, const Query &Fields, const TableLinkList *LinkDataset)
{
    return m_links.TablolinkDetayVarmi(tablo, Fields, LinkDataset);
}

int Tdm1::TablolinkDetaySil(const QString &tablo, const Query &Fields, const TableLinkList *LinkDataset)
{
    return m_links.TablolinkDetaySil(tablo, Fields, LinkDataset);
}
