#pragma once
#include "db/Query.h"
#include "forms/TMyformbase.h"

#include <QString>
#include <functional>

class Database;
class EditorBinding;
class IconList;
class QAction;
class QLineEdit;
class QToolButton;
class ScheduleBox;
class TVrnHeaderPanel;

// The settings window: the folders into which the notification files of police facilities
// (AKBS) and of gendarmerie facilities (JKBS) are written, edited in the single settings row.
// Nothing is stored until the save button is pressed; closing the window discards an unsaved
// edit. The folders are not checked: an empty or missing folder can be saved.
class TFormAyar : public TMyformbase {
    Q_OBJECT
public:
    // Opens the folder-selection dialog; returns the chosen folder, or an empty text on cancel.
    using FolderChooser = std::function<QString(QWidget *parent, const QString &title, const QString &startFolder)>;

    static constexpr const char *kAkbsDefaultFolder = "C:\\AKBS3\\Konaklama";
    static constexpr const char *kJkbsDefaultFolder = "C:\\Program Files\\JGNK\\KBS\\";

    TFormAyar(Database *db, IconList *icons, QWidget *parent = nullptr);

    Query *fdqry_ayar() { return &m_ayar; }
    QLineEdit *dbedtAKBXMLDIZIN() const { return m_akbsEdit; }
    QLineEdit *dbedtJKBXMLDIZIN() const { return m_jkbsEdit; }
    QLineEdit *dbedtSAKLAMASURESI() const { return m_keepingYearsEdit; }
    // The daily unattended export, as the system's scheduler holds it.
    ScheduleBox *scheduleBox() const { return m_schedule; }

    // Replaces the system's folder-selection dialog (tests answer it this way).
    void setFolderChooser(FolderChooser chooser);

    // Where the chooser starts: the edit's text when it names an existing folder, else the
    // default folder when it exists, else the root.
    static QString baslangicDizini(const QString &editText, const QString &defaultFolder);

public slots:
    void actakbssecExecute();
    void actjkbssecExecute();
    // The navigator's two buttons.
    void dbnvgrPostClick();
    void dbnvgrCancelClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildControls(IconList *icons);
    QWidget *buildFolderArea(IconList *icons);
    void secDizin(QLineEdit *edit, const QString &column, const QString &defaultFolder);
    void updateNavigator();

    Query m_ayar;
    EditorBinding *m_binding;
    TVrnHeaderPanel *m_header = nullptr;
    QToolButton *m_postButton = nullptr;
    QToolButton *m_cancelButton = nullptr;
    QLineEdit *m_akbsEdit = nullptr;
    QLineEdit *m_jkbsEdit = nullptr;
    QLineEdit *m_keepingYearsEdit = nullptr;
    QAction *m_actakbssec = nullptr;
    QAction *m_actjkbssec = nullptr;
    ScheduleBox *m_schedule = nullptr;
    FolderChooser m_chooseFolder;
};
