#pragma once
#include <QGroupBox>
#include <QTime>
#include <memory>

class DailySchedule;
class QCheckBox;
class QLabel;
class QTimeEdit;

// "Her gün otomatik kaydet" with its time, for the settings window. Ticking the box installs the
// daily unattended export of the register's folder in the system's scheduler, clearing it
// removes it; a new time replaces the installed one. The box always shows what the system
// holds, read back after every change and at every refresh.
class ScheduleBox : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kDefaultHour = 23;
    static constexpr int kDefaultMinute = 30;

    explicit ScheduleBox(QWidget *parent = nullptr);
    ~ScheduleBox() override;

    // Replaces the system's scheduler (tests give their own); by default the schedule of the
    // working directory run by this program.
    void setSchedule(std::unique_ptr<DailySchedule> schedule);

    QCheckBox *enabledBox() const { return m_enabled; }
    QTimeEdit *timeEdit() const { return m_time; }
    QLabel *stateLabel() const { return m_state; }
    QLabel *noteLabel() const { return m_note; }

public slots:
    // Reads the installed state from the system and shows it.
    void refresh();

private slots:
    void enabledClicked(bool checked);
    void timeEdited();

private:
    DailySchedule &schedule();
    void showState(bool installed, const QTime &time, const QString &mechanism);

    std::unique_ptr<DailySchedule> m_schedule;
    QCheckBox *m_enabled = nullptr;
    QTimeEdit *m_time = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_note = nullptr;
    bool m_installed = false;
    QTime m_installedTime;
};
