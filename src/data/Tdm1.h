#pragma once
#include "controls/IconList.h"
#include "data/GridPrinter.h"
#include "data/TableLinks.h"
#include "db/Database.h"
#include "db/Query.h"
#include "gen/TDataTanimlari.h"

#include <QObject>
#include <memory>

// The data module: the one connection of the process, the shared lookup queries, the boolean
// words, the table links and the registered field sets. Created first at start-up, lives until
// the program ends; the single instance is dm1.
class Tdm1 : public QObject {
    Q_OBJECT
public:
    explicit Tdm1(QObject *parent = nullptr);
    ~Tdm1() override;

    Database *dbMain() { return &m_dbMain; }
    Query *fdqry_uyruk() { return &m_uyruk; }
    Query *fdqry_kimlikturu() { return &m_kimlikturu; }
    TableLinks &tableLinks() { return m_links; }
    // Prints the grid's visible columns and rows under the title Caption, in a modal preview.
    void gridyazdir(DbGrid *grid, const QString &Caption) { m_printer.gridyazdir(grid, Caption); }
    GridPrinter &tablePrint() { return m_printer; }
    // The pictures of buttons, actions and header panels, referred to by index.
    IconList *il_db() { return &m_ilDb; }
    // The registered field sets "MISAFIR" and "ODAEV"; null when start-up stopped before them.
    TDataTanimlari *FDT() { return m_fdt.get(); }
    TableLinkList &fdmtbltablelinks() { return m_links.fdmtbltablelinks(); }

    // Dependent records of the current row of Fields in table tablo, through the table links.
    int TablolinkDetayKontrol(const QString &tablo, const Query &Fields, const QString &options = {},
                              const TableLinkList *LinkDataset = nullptr);
    bool TablolinkDetayVarmi(const QString &tablo, const Query &Fields,
                             const TableLinkList *LinkDataset = nullptr);
    // Deletes the deletable dependents; the caller wraps it with the master's deletion in one
    // transaction.
    int TablolinkDetaySil(const QString &tablo, const Query &Fields, const TableLinkList *LinkDataset = nullptr);

    // Opens qrt.db in the working directory, brings schema and seed rows up to date and opens the
    // lookup queries. Throws the engine's error when the file cannot be opened or the script fails.
    void sqlite_userlocalvt_ac();

    // The extension libraries looked for in the working directory, in this order.
    static constexpr const char *kFuzzyExtension = "unifuzz.so";
    static constexpr const char *kIcuExtension = "libsqliteicu.so";

private:
    void DataModuleCreate();
    void loadOptionalExtension();
    void useWaitCursorWhileCommandsRun();

    Database m_dbMain;
    Query m_uyruk;
    Query m_kimlikturu;
    TableLinks m_links;
    IconList m_ilDb;
    GridPrinter m_printer;
    std::unique_ptr<TDataTanimlari> m_fdt;
};

// The single data module of the process (null before start-up and after it ends).
extern Tdm1 *dm1;
