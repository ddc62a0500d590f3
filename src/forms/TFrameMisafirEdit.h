#pragma once
#include "db/Query.h"
#include "forms/TFrameBase.h"
#include "gen/TKimlikRowValidate.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>

class DbLookupComboBox;
class DbRadioGroup;
class EditorBinding;
class Field;
class NullableDateEdit;
class QLabel;
class QLineEdit;
class QScrollArea;
class Tdm1;

// The editors of one guest stay: identity data, the civil-registry data of Turkish citizens and
// the stay itself. The frame owns no guest data; it edits the current row of the guest query
// that its window points it at. It marks in yellow the required fields that are still empty,
// gives a new row its arrival moment and keeps the dates within their limits.
class TFrameMisafirEdit : public TFrameBase {
    Q_OBJECT
public:
    static constexpr int kEditorCount = 27;
    // Background of an editor whose required field is still empty.
    static QColor gerekliAlanRengi() { return {255, 255, 0}; }
    // Caption colour of a choice whose required field is still empty.
    static QColor gerekliSecimRengi() { return {139, 0, 0}; }
    // Background of an editor filled from elsewhere (an earlier stay, a document's zone), for
    // the operator to check before saving.
    static QColor doldurulanAlanRengi() { return {204, 228, 255}; }
    // Frame of the editor whose field a save was refused for, until the field changes.
    static QColor reddedilenAlanRengi() { return {212, 0, 0}; }

    explicit TFrameMisafirEdit(Tdm1 *dataModule, QWidget *parent = nullptr);
    ~TFrameMisafirEdit() override;

    // One-time set-up of the room list on the first call; then the date limits, the room list
    // and the new-row handler of the guest query.
    void doshow() override;
    // Closes the room list and takes the new-row handler off the guest query.
    void dohide() override;

    // The guest query whose current row the editors show (the data set of ds_misafir).
    void setMisafirDataSet(Query *query);
    Query *misafirDataSet() const { return m_misafir; }
    // The editors' binding to the guest query; bound only while the data source is enabled.
    EditorBinding *ds_misafir() const { return m_dsMisafir; }
    // The data source is enabled exactly when at least one room exists.
    bool isDataSourceEnabled() const { return m_dataSourceEnabled; }
    Query *fdqry_odaev() { return &m_odaev; }
    bool isDoneFirst() const { return DoneFirst; }

    // Whether the row being edited or inserted has been changed; the defaults of a new row do
    // not count as a change.
    bool rowChanged() const;

    // The editor that shows a field of the guest query (matched by name), or null.
    QWidget *editorFor(const Field *field) const;
    QWidget *editorFor(const QString &fieldName) const;
    // After a refused save: puts the input focus on the editor of the field and frames it in red
    // until the field changes or another row is shown; false when no editor shows it.
    bool focusField(const Field *field);
    // Puts the input focus on the editor of the field; false when no editor shows it.
    bool focusField(const QString &fieldName);
    // The editor that keeps the red frame of a refused save, or null.
    QWidget *refusedEditor() const { return m_refusedEditor; }
    // The label that names an editor (a choice names itself), or null.
    QLabel *labelOf(const QWidget *editor) const;
    // Finishes what is being typed in the focused editor, so that a save takes it; a time that
    // cannot be read raises the field's error, so that nothing typed is lost without a word.
    void commitPendingInput();

    // Writes values brought from elsewhere into the row (editing it when it is browsed) and
    // marks their editors, with `kaynak` as their tip, until the operator changes them or the
    // row is saved or left. Keys are column names; a text for a number column is read as typed.
    void alanlariDoldur(const QVariantMap &values, const QString &kaynak);
    // The columns marked as filled from elsewhere, upper case.
    QStringList doldurulanAlanlar() const { return m_filled.keys(); }

    // Handlers.
    void fdqry_misafirNewRecord(Query &DataSet);
    void jvdbdtdtGELISTARIHChange();
    void ds_misafirDataChange(Field *field);
    void gerekliAlanIsaretle();

    QScrollArea *scrlbx1() const { return m_scroll; }
    DbLookupComboBox *dblkcbbKIMLIKTURU() const { return m_kimlikTuru; }
    DbLookupComboBox *dblkcbbUYRUGU() const { return m_uyruk; }
    DbLookupComboBox *dblkcbbODAEV() const { return m_odaevBox; }
    DbRadioGroup *dbrgrpCINSIYET() const { return m_cinsiyet; }
    DbRadioGroup *dbrgrpMEDENIDURUM() const { return m_medeniDurum; }
    NullableDateEdit *jvdbdtdtDOGUMTARIHI() const { return m_dogumTarihi; }
    NullableDateEdit *jvdbdtdtGELISTARIH() const { return m_gelisTarih; }
    NullableDateEdit *jvdbdtdtAYRILISTARIH() const { return m_ayrilisTarih; }
    QLineEdit *dbedtTCNO() const { return m_tcNo; }

private:
    void buildEditors();
    void bindEditors();
    void bindTimeEditor(QLineEdit *editor, const QString &fieldName);
    void commitTimeText(QLineEdit *editor);
    void prepareRoomList();
    void fillLookups();
    void setDataSourceEnabled(bool enabled);
    void limitTextLengths();
    void markEditor(QWidget *editor, bool needed, const QString &filledFrom);
    void onMisafirFieldChanged(Field *field);
    void applyMarks(QWidget *editor);
    void markRefused(QWidget *editor);
    void clearRefusedMarkOnChange(const Field *field);
    void onMisafirStateChanged();

    Tdm1 *m_dm;
    bool DoneFirst = false;
    TKimlikRowValidate kimlikvalid;
    Query m_odaev;
    QPointer<Query> m_misafir;
    EditorBinding *m_dsMisafir;
    bool m_dataSourceEnabled = true;
    // A new row that holds only the defaults of fdqry_misafirNewRecord counts as unchanged.
    bool m_applyingDefaults = false;
    bool m_newRowUntouched = false;
    // Columns filled from elsewhere, with where from; m_filling is set while they are written.
    QHash<QString, QString> m_filled;
    bool m_filling = false;

    QScrollArea *m_scroll = nullptr;
    QWidget *m_area = nullptr;
    DbLookupComboBox *m_kimlikTuru = nullptr;
    DbLookupComboBox *m_uyruk = nullptr;
    DbLookupComboBox *m_odaevBox = nullptr;
    DbRadioGroup *m_cinsiyet = nullptr;
    DbRadioGroup *m_medeniDurum = nullptr;
    NullableDateEdit *m_dogumTarihi = nullptr;
    NullableDateEdit *m_gelisTarih = nullptr;
    NullableDateEdit *m_ayrilisTarih = nullptr;
    QLineEdit *m_tcNo = nullptr;
    QLineEdit *m_gelisSaat = nullptr;
    QLineEdit *m_ayrilisSaat = nullptr;
    QPointer<QWidget> m_refusedEditor;
};
