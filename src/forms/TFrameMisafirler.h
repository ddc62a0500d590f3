#pragma once
#include "data/ListStatements.h"
#include "db/Query.h"
#include "forms/TFrameBase.h"
#include "gen/Tmyfieldset.h"

#include <QPointer>

class FilterGrid;
class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TFormMisafirCikis;
class TFormMisafirEdit;
class Tdm1;

// The guest list on the main window's first tab: the guests staying today or all stays, narrowed
// by the filter bar; from here a stay is opened, a new one started, guests checked out and the
// list printed. Every save of its query passes the guest validation.
class TFrameMisafirler : public TFrameBase {
    Q_OBJECT
public:
    static constexpr const char *kKonaklayanlar =
        "((DATE('now','localtime') BETWEEN GELISTARIH AND COALESCE(AYRILISTARIH,DATE('now','localtime'))) "
        "OR GELISTARIH=DATE('now','localtime'))";
    // The list's statement as written; the frame runs the form the register allows (ListStatements).
    static constexpr const char *kGuestSql = ListStatements::kGuestList;

    explicit TFrameMisafirler(Tdm1 *dataModule, QWidget *parent = nullptr);

    // The entry and check-out windows are created after the main window; they come in here.
    void setWindows(TFormMisafirEdit *entry, TFormMisafirCikis *checkOut);

    void doshow() override;
    void dohide() override;
    bool resolvePendingEdit() override;
    void onfiltre();
    void misafireditac();
    void yenigiris();
    void yenicikis();
    void gridyazdir();

    Query *fdqry_misafirler() { return &m_misafirler; }
    FilterGrid *smdbgrd_misafir() const { return m_grid; }
    QRadioButton *konaklayanlarButton() const { return m_konaklayanlar; }
    QRadioButton *tumuButton() const { return m_tumu; }
    QPushButton *Button1() const { return m_print; }
    const Tmyfieldset &MainFieldset() const { return m_mainFieldset; }
    bool DoneFirst() const { return m_doneFirst; }

private:
    void fdqry_misafirlerBeforePost(Query &query);
    void fdqry_misafirlerAfterPost(Query &query);
    void smdbgrd_misafirFilterChanged();
    void chooseKonaklayanlar();

    Tdm1 *m_dm;
    Query m_misafirler;
    QGroupBox *m_goster = nullptr;
    QButtonGroup *m_gosterGroup = nullptr;
    QRadioButton *m_konaklayanlar = nullptr;
    QRadioButton *m_tumu = nullptr;
    FilterGrid *m_grid = nullptr;
    QPushButton *m_print = nullptr;
    QPointer<TFormMisafirEdit> m_entry;
    QPointer<TFormMisafirCikis> m_checkOut;
    Tmyfieldset m_mainFieldset;
    bool m_doneFirst = false;
};
