#pragma once
#include "db/Query.h"
#include "forms/TMyformbase.h"
#include "gen/TDataTanimlari.h"
#include "gen/Tmyfieldset.h"
#include "privacy/PersonSearch.h"

#include <QDate>
#include <functional>

class DbLookupComboBox;
class FilterGrid;
class NullableDateEdit;
class QAction;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class Tdm1;
class TVrnHeaderPanel;

// "Kişisel Veri Sorgusu": every stay of one person, found by the TC number, by the document
// serial with the nationality, or by the name with the birth date, listed with everything the
// register holds about them (notes included), so that the operator can print it or export it
// for the person who asked. Ticked stays that have ended can have their identity data erased;
// the stays themselves stay.
class TFormKisiselVeriSorgusu : public TMyformbase {
    Q_OBJECT
public:
    using Today = std::function<QDate()>;

    // The title of the printed list.
    static constexpr const char *kPrintTitle = "Kişisel Veri Dökümü";

    explicit TFormKisiselVeriSorgusu(Tdm1 *dm, QWidget *parent = nullptr);

    Query *fdqry_kisi() { return &m_kisi; }
    FilterGrid *smdbgrd_kisi() const { return m_grid; }
    QRadioButton *rbTcNo() const { return m_byTcNo; }
    QRadioButton *rbSeriNo() const { return m_bySerial; }
    QRadioButton *rbAdSoyad() const { return m_byName; }
    QLineEdit *edtTcNo() const { return m_tcNo; }
    QLineEdit *edtSeriNo() const { return m_serial; }
    DbLookupComboBox *cbbUyruk() const { return m_nationality; }
    QLineEdit *edtAdi() const { return m_givenName; }
    QLineEdit *edtSoyadi() const { return m_surname; }
    NullableDateEdit *dtDogumTarihi() const { return m_birthDate; }
    QLabel *lblSonuc() const { return m_result; }

    // Where the window reads today's date; tests fix it here.
    void setToday(Today today);

public slots:
    void actaraExecute();
    void actyazdirExecute();
    void actsilExecute();
    void actkapatExecute();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildControls();
    QWidget *buildSearchArea();
    QToolButton *headerButton(QAction *action, const char *name);
    QAction *makeAction(const QString &caption, int icon, const char *name, void (TFormKisiselVeriSorgusu::*handler)());
    void ilkGosterim();
    PersonSearch::Condition chosenCondition() const;
    void ara();
    void sil();
    void showResultCount();

    Tdm1 *m_dm;
    Query m_kisi;
    TDataTanimlari m_fieldSets;
    Tmyfieldset m_mainFieldset;
    Today m_today;
    bool m_donefirst = false;
    TVrnHeaderPanel *m_header = nullptr;
    FilterGrid *m_grid = nullptr;
    QRadioButton *m_byTcNo = nullptr;
    QRadioButton *m_bySerial = nullptr;
    QRadioButton *m_byName = nullptr;
    QLineEdit *m_tcNo = nullptr;
    QLineEdit *m_serial = nullptr;
    DbLookupComboBox *m_nationality = nullptr;
    QLineEdit *m_givenName = nullptr;
    QLineEdit *m_surname = nullptr;
    NullableDateEdit *m_birthDate = nullptr;
    QLabel *m_result = nullptr;
};
