#pragma once
#include "db/Query.h"
#include "forms/TMyformbase.h"
#include "gen/Tmyfieldset.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <functional>

class Database;
class FilterGrid;
class IconList;
class QAction;
class QLabel;
class QTimer;
class QToolButton;
class TDataTanimlari;
class TVrnHeaderPanel;

// The check-out window: the guests staying at the moment the window is shown, any number of
// which the operator ticks and checks out at once with today's date and the current time.
// The list stays the snapshot of that moment; rows whose departure has been reached are grey,
// so the rows just checked out turn grey in place. The window closes with the accepted result
// when it recorded departures while shown, so that the guest list knows to read its rows again.
class TFormMisafirCikis : public TMyformbase {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // A stay is listed when the moment :tarih lies between its arrival and its departure, both
    // ends included. A missing departure time counts as the time of day of :tarih, a missing
    // departure date as :tarih itself; a stay without arrival time is never listed.
    static constexpr const char *kStaticFilter =
        "DATETIME(:tarih) BETWEEN datetime(date(GELISTARIH) || \" \" || time(GELISSAAT)) AND "
        "datetime(CASE WHEN AYRILISTARIH IS NOT NULL THEN (DATE(AYRILISTARIH) || ' ' || "
        "TIME(COALESCE(AYRILISSAAT,:tarih))) ELSE :tarih END)";
    // Background of the rows whose departure has been reached (light slate grey).
    static constexpr QColor kDepartedColor{119, 136, 153};

    // The field sets are read on the first showing; without a registry the list has no columns.
    TFormMisafirCikis(Database *db, const TDataTanimlari *fieldSets, IconList *icons, QWidget *parent = nullptr);

    Query *fdqry_misafirler() { return &m_misafirler; }
    FilterGrid *smdbgrd_misafir() const { return m_grid; }
    QLabel *lbl_date() const { return m_dateLabel; }
    QTimer *tmr1() const { return m_clockTimer; }
    QAction *actmisafircikisiyap() const { return m_actmisafircikisiyap; }
    QAction *actsecimitemizle() const { return m_actsecimitemizle; }
    QAction *actkapat() const { return m_actkapat; }
    // True once departures were recorded during the current showing.
    bool changed() const { return m_changed; }
    const Tmyfieldset &MainFieldset() const { return m_mainFieldset; }

    // Where the window reads the current moment (local date and time); tests fix it here.
    void setClock(Clock clock);

    // Whether a row whose departure is stored as these texts has departed at the moment `now`.
    // A missing departure date never departs; a missing departure time counts as the start of
    // the departure day.
    static bool ayrilisZamaniGecti(const QVariant &storedDate, const QVariant &storedTime, const QDateTime &now);
    // The background of a row of the list: grey once the guest's departure has been reached.
    QColor smdbgrd_misafirDrawColumnCell(int row) const;

public slots:
    // Checks out the ticked rows: "Seçili Kişilerin Çıkışını Yap".
    void actmisafircikisiyapExecute();
    void actsecimitemizleExecute();
    void actkapatExecute();
    void smdbgrd_misafirFilterChanged();
    void tmr1Timer();

protected:
    void FormShow() override;
    void FormClose() override;
    // However the window is closed, its result tells whether departures were recorded.
    void done(int result) override;

private:
    void buildControls(IconList *icons);
    QToolButton *headerButton(QAction *action, const char *name, int width);
    void ilkGosterim();
    void cikisYap(const QList<int> &rows, const QDateTime &moment);

    Query m_misafirler;
    const TDataTanimlari *m_fieldSets;
    Clock m_clock;
    TVrnHeaderPanel *m_header = nullptr;
    FilterGrid *m_grid = nullptr;
    QLabel *m_dateLabel = nullptr;
    QTimer *m_clockTimer = nullptr;
    QAction *m_actkapat = nullptr;
    QAction *m_actmisafircikisiyap = nullptr;
    QAction *m_actsecimitemizle = nullptr;
    Tmyfieldset m_mainFieldset;
    bool m_changed = false;
    bool m_donefirst = false;
};
