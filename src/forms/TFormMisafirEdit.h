#pragma once
#include "db/Query.h"
#include "forms/TMyformbase.h"

#include <QPointer>

class DbNavigator;
class Field;
class QFrame;
class QPushButton;
class ReturningGuestBar;
class TFormMrzOku;
class TFrameMisafirEdit;
class TVrnHeaderPanel;
class Tdm1;

// The guest entry window. It owns no guest data: the opener points it at its guest query,
// positioned on the row to edit or already inserting a new one, and shows it modally; every
// save goes through that query and so through the opener's save check. Closing discards what
// was not saved, after asking when the row was changed.
//
// Opening protocol: setDataSet(query), then exec(). After the window has closed it has no data
// set again.
class TFormMisafirEdit : public TMyformbase {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 444;
    static constexpr int kClientHeight = 602;
    // Told when a saved record is no longer among the list's rows (a departure in the past, a
    // filter it no longer matches): the window never goes on with another guest's record.
    static QString recordLeftListMessage();

    explicit TFormMisafirEdit(Tdm1 *dataModule, QWidget *parent = nullptr);

    // The data set of ds1: the guest query whose current row the window edits.
    void setDataSet(Query *query);
    Query *dataSet() const { return m_ds1; }

    TFrameMisafirEdit *FrameMisafirEdit1() const { return m_frame; }
    TVrnHeaderPanel *headerPanel() const { return m_header; }
    // The record navigator on ds1: moves, insert, delete (asked first), edit, save, cancel, refresh.
    DbNavigator *dbnvgr1() const { return m_navigator; }
    // The bar that tells of an earlier stay of the person being entered.
    ReturningGuestBar *returningGuestBar() const { return m_returningBar; }
    // "Kimlik/Pasaport Oku" (also Ctrl+M): reads a document's zone into the row.
    QPushButton *btnKimlikOku() const { return m_btnKimlikOku; }
    TFormMrzOku *formMrzOku() const { return m_formMrzOku; }
    void kimlikOku();
    // Puts the input focus on the editor of a field of the guest query (the save check does this
    // for the field that failed); false when no editor shows it.
    bool focusField(const Field *field);

protected:
    void FormShow() override;
    // Whether the window may close: when the row being edited was changed, asks whether to save
    // it (Kaydet, Kaydetme, Vazgeç).
    bool FormCloseQuery();
    void FormClose() override;

    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    QFrame *buildNavigator();
    // Before a move, an insert or a refresh the row leaves the editing state the way the
    // navigator of the toolkit does it: a changed row is saved, an unchanged one dropped. True
    // when the saved record has left the list (the cursor then stands on the row that followed).
    bool checkBrowseMode();
    // Saves the row; when the record has left the list with the save, says so and closes.
    void saveAndStayOnRecord();
    // After a save: when the guest query no longer stands on the record saved, the operator is
    // told and the window closes; the refusal ends the operation that saved.
    void closeWhenRecordLeftList();
    bool recordLeftList() const;
    // Drops the changes of the row being edited, or the new row itself.
    void discardPendingEdit();
    // The navigator works on the guest query only while the editors can be used.
    void updateNavigator();
    void centreOnScreen();

    QPointer<Query> m_ds1;
    TVrnHeaderPanel *m_header = nullptr;
    QFrame *m_pnl1 = nullptr;
    DbNavigator *m_navigator = nullptr;
    TFrameMisafirEdit *m_frame = nullptr;
    ReturningGuestBar *m_returningBar = nullptr;
    QPushButton *m_btnKimlikOku = nullptr;
    TFormMrzOku *m_formMrzOku = nullptr;
    // Set while a close already approved by FormCloseQuery runs on, so the question comes once.
    bool m_closeApproved = false;
};
