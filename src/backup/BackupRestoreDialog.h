#pragma once
#include <QDialog>
#include <QString>
#include <functional>

class IconList;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Yedekten Geri Yükle": lists the daily copies with their day and size; the chosen copy is
// checked, put in place of the register (the register in use is kept in the backup folder) and
// the program starts again on it.
class BackupRestoreDialog : public QDialog {
    Q_OBJECT
public:
    BackupRestoreDialog(const QString &registerPath, IconList *icons, QWidget *parent = nullptr);

    // Closes every connection to the register before it is replaced.
    void setReleaseRegister(std::function<void()> release) { m_releaseRegister = std::move(release); }
    // Starts the program again after a restore; by default the real restart.
    void setRestart(std::function<void()> restart) { m_restart = std::move(restart); }

    QTreeWidget *copyList() const { return m_list; }
    QPushButton *restoreButton() const { return m_restoreButton; }

    // Reads the copies in the backup folder again.
    void reload();

public slots:
    void restoreChosenCopy();

private:
    void buildControls(IconList *icons);
    QString chosenCopyPath() const;
    void updateButtons();

    QString m_registerPath;
    QTreeWidget *m_list = nullptr;
    QLabel *m_emptyNote = nullptr;
    QPushButton *m_restoreButton = nullptr;
    std::function<void()> m_releaseRegister;
    std::function<void()> m_restart;
};
