#pragma once
#include <QObject>
#include <QPointer>

class QAction;
class QWidget;
class Tdm1;
class TFormKisiselVeriSorgusu;

// What the main window offers for the privacy of the register: the command that opens
// "Kişisel Veri Sorgusu" (its window is made on first use and kept), and the checks of the
// first showing: the notice of a register file narrowed to its owner, then the keeping
// period's question of the day.
class PrivacyCommands : public QObject {
    Q_OBJECT
public:
    PrivacyCommands(Tdm1 *dm, QWidget *mainWindow);

    QAction *actkisiselverisorgusu() const { return m_action; }
    TFormKisiselVeriSorgusu *window();

    // Runs once per program run, after the main window has been drawn.
    void atFirstShow();

private:
    void actkisiselverisorgusuExecute();
    void firstShowChecks();

    Tdm1 *m_dm;
    QWidget *m_mainWindow;
    QAction *m_action;
    QPointer<TFormKisiselVeriSorgusu> m_window;
    bool m_firstShowDone = false;
};
