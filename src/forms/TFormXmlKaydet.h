#pragma once
#include "db/Query.h"
#include "delivery/ExportOutcome.h"
#include "forms/TMyformbase.h"
#include "gen/TKimlikRowValidate.h"
#include "gen/Tmyfieldset.h"

#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <QString>
#include <functional>

class Database;
class FilterGrid;
class IconList;
class QAction;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class TDataTanimlari;
class TFormAyar;
class TVrnHeaderPanel;

// The window from which the notification files are written by hand. It lists every guest of an
// active facility who is present on the chosen day (the same day condition as the export), draws
// the rows whose identity data is incomplete in orange-red, shows the two client folders and
// writes the files for the chosen day. The export itself writes every listed guest, complete or
// not; the colour only warns the operator beforehand.
class TFormXmlKaydet : public TMyformbase {
    Q_OBJECT
public:
    // Writes the files for the day of the moment and the ledger's rows, and says what it did
    // (a run of DeliveryRun for the export window unless replaced).
    using Exporter = std::function<ExportOutcome(const QDateTime &moment)>;
    // Opens a folder in the file manager (DizinAc unless replaced).
    using FolderOpener = std::function<void(const QString &folder)>;

    static const QColor kIncompleteRowColor;

    // The guest list runs on db; the field set "MISAFIR" comes from fieldSets; settingsWindow is
    // shown when the export is asked for while no folder is set. None of them is owned.
    TFormXmlKaydet(Database *db, IconList *icons, const TDataTanimlari *fieldSets, TFormAyar *settingsWindow,
                   QWidget *parent = nullptr);

    Query *fdqry_misafirler() { return &m_misafirler; }
    FilterGrid *smdbgrd_misafir() const { return m_grid; }
    QDateTimeEdit *dtp_tarih() const { return m_dtp; }
    QLineEdit *lbledtpolisdizini() const { return m_polisDizini; }
    QLineEdit *lbledtjnddizini() const { return m_jndDizini; }
    QPushButton *btn1() const { return m_btn1; }
    QPushButton *btn2() const { return m_btn2; }
    QAction *act_kaydet() const { return m_actKaydet; }
    QAction *actkapat() const { return m_actKapat; }
    TVrnHeaderPanel *headerPanel() const { return m_header; }

    bool DoneFirst() const { return m_doneFirst; }
    const Tmyfieldset &Mainfieldset() const { return m_mainfieldset; }

    // The moment the export runs with: the chosen day with the time of day the picker carries,
    // which is the time at which the window was shown.
    QDateTime secilenAn() const;

    // Whether a listed row lacks identity data the validator requires.
    bool satirEksik(int row);

    void setExporter(Exporter exporter);
    void setFolderOpener(FolderOpener opener);

public slots:
    // Runs the list again for the chosen day; the filter bar's conditions stay.
    void onfiltreuygula();
    // Shows the stored folders; with sor, first opens the settings window when none is set.
    void ayarkontrol(bool sor);
    void act_kaydetExecute();
    void btn1Click();
    void btn2Click();
    void smdbgrd_misafirFilterChanged();
    void actkapatExecute();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildControls(IconList *icons);
    QWidget *buildBottomPanel(IconList *icons);
    void styleGrid();
    void dtp_tarihChange();
    QColor smdbgrd_misafirDrawColumnCell(int row);
    void showSummary(const ExportOutcome &outcome);

    Database *m_db;
    const TDataTanimlari *m_fieldSets;
    QPointer<TFormAyar> m_settingsWindow;
    Query m_misafirler;
    TKimlikRowValidate m_kimvalid;
    Tmyfieldset m_mainfieldset;
    bool m_doneFirst = false;
    // Whether each row that has been drawn is incomplete, by row number, for the rows as read.
    QHash<int, bool> m_incompleteRows;
    Exporter m_exporter;
    FolderOpener m_openFolder;

    TVrnHeaderPanel *m_header = nullptr;
    QLabel *m_dateCaption = nullptr;
    QDateTimeEdit *m_dtp = nullptr;
    FilterGrid *m_grid = nullptr;
    QLineEdit *m_polisDizini = nullptr;
    QLineEdit *m_jndDizini = nullptr;
    QPushButton *m_btn1 = nullptr;
    QPushButton *m_btn2 = nullptr;
    QAction *m_actKaydet = nullptr;
    QAction *m_actKapat = nullptr;
};
