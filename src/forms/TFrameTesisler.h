#pragma once
#include "db/Query.h"
#include "forms/TFrameBase.h"

#include <QString>

class DbGrid;
class DbNavigator;
class EditorBinding;
class QButtonGroup;
class QGroupBox;
class QKeyEvent;
class QTabWidget;
class Tdm1;

// The facilities and their rooms or houses: the facility list on the left, the current
// facility's record and its rooms on two pages on the right. A facility that still has rooms,
// and a room that still has guest stays, cannot be deleted; the check and the deletion of the
// dependent rows go through the data module's table links.
class TFrameTesisler : public TFrameBase {
    Q_OBJECT
public:
    explicit TFrameTesisler(Tdm1 *dm, QWidget *parent = nullptr);

    // Opens the facility query, then the room query.
    void doshow() override;
    // Closes the room query, then the facility query; an unsaved edit of either is dropped.
    void dohide() override;
    // A facility or room being typed is saved, dropped or kept as the operator answers.
    bool resolvePendingEdit() override;

    Query *fdqry_tesisler() { return &m_tesisler; }
    Query *fdqry_odaev() { return &m_odaev; }
    DbGrid *dbgrd_list() const { return m_list; }
    DbGrid *dbgrd1() const { return m_rooms; }
    DbNavigator *dbnvgr1() const { return m_facilityNavigator; }
    DbNavigator *dbnvgr2() const { return m_roomNavigator; }
    QTabWidget *pgc1() const { return m_pages; }
    QWidget *ts_bilgi() const { return m_detailsPage; }
    QWidget *ts_odalar() const { return m_roomsPage; }
    // The editor of a facility field ("TESISADI", ...; the region's is the group box "BÖLGE").
    QWidget *editorFor(const QString &fieldName) const;
    QButtonGroup *dbrgrpTESISBOLGE() const { return m_regionChoice; }

    // Deletes the current row of the facility or the room query as the navigators and
    // Ctrl+Delete do after their own question: the delete guard, the dependent rows and the row
    // itself in one transaction, rolled back when any of it fails.
    void kayitSil(Query &query);

    // Whether the page may change from "Tesis Kaydı": a facility being typed is saved first,
    // and there must be a current facility. A refusal has been shown when this returns.
    void pgc1Changing(bool &AllowChange);

private:
    void buildControls();
    QGroupBox *buildFacilityList();
    QGroupBox *buildDetails();
    QWidget *buildDetailsPage();
    QWidget *buildFacilityEditors();
    QWidget *buildRegionChoice();
    QWidget *buildRoomsPage();
    void bindRegionChoice();
    void setupQueries();
    void prepareOnFirstShow();
    void onPageChanged(int page);
    void sayfaDegisimKontrolu();
    void silmeKontrolu(Query &query, const QString &tablo, const QString &soru);
    void bagliKayitlariSil(Query &query, const QString &tablo);
    void bekleyenOdayiKaydet();
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool movesOnWithEnter(QObject *watched, const QKeyEvent *key) const;

    void fdqry_tesislerNewRecord(Query &query);
    void fdqry_odaevNewRecord(Query &query);
    void fdqry_tesislerBeforeDelete(Query &query);
    void fdqry_odaevBeforeDelete(Query &query);

    Tdm1 *m_dm;
    Query m_tesisler;
    Query m_odaev;
    EditorBinding *m_binding;
    DbGrid *m_list = nullptr;
    DbGrid *m_rooms = nullptr;
    DbNavigator *m_facilityNavigator = nullptr;
    DbNavigator *m_roomNavigator = nullptr;
    QTabWidget *m_pages = nullptr;
    QWidget *m_detailsPage = nullptr;
    QWidget *m_roomsPage = nullptr;
    QGroupBox *m_regionBox = nullptr;
    QButtonGroup *m_regionChoice = nullptr;
    int m_shownPage = 0;
    bool m_turningPage = false;
    bool m_prepared = false;
};
