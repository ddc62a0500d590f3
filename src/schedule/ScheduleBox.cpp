#include "schedule/ScheduleBox.h"

#include "db/ErrorSink.h"
#include "schedule/SystemSchedule.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QTimeEdit>

ScheduleBox::ScheduleBox(QWidget *parent) : QGroupBox(QStringLiteral("OTOMATİK KAYIT"), parent)
{
    setObjectName(QStringLiteral("ScheduleBox"));
    m_enabled = new QCheckBox(QStringLiteral("Her gün otomatik kaydet"), this);
    m_enabled->setObjectName(QStringLiteral("chkotomatikkaydet"));
    m_time = new QTimeEdit(QTime(kDefaultHour, kDefaultMinute), this);
    m_time->setObjectName(QStringLiteral("tmeotomatikkaydet"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    auto *timeLabel = new QLabel(QStringLiteral("Saat:"), this);
    timeLabel->setBuddy(m_time);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("lblzamanlayicidurumu"));
    m_state->setWordWrap(true);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblzamanlayicinotu"));
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->addWidget(m_enabled, 0, 0);
    grid->addWidget(timeLabel, 0, 1, Qt::AlignRight);
    grid->addWidget(m_time, 0, 2);
    grid->addWidget(m_state, 1, 0, 1, 3);
    grid->addWidget(m_note, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);

    connect(m_enabled, &QCheckBox::clicked, this, &ScheduleBox::enabledClicked);
    connect(m_time, &QTimeEdit::editingFinished, this, &ScheduleBox::timeEdited);
    showState(false, QTime(), QString());
}

ScheduleBox::~ScheduleBox() = default;

void ScheduleBox::setSchedule(std::unique_ptr<DailySchedule> schedule)
{
    m_schedule = std::move(schedule);
}

// The program's own folder run: the working directory holds the register, and the scheduler
// starts this same program there.
DailySchedule &ScheduleBox::schedule()
{
    if (!m_schedule)
        m_schedule = std::make_unique<SystemSchedule>(ScheduledRun(QDir::currentPath(), QCoreApplication::applicationFilePath()));
    return *m_schedule;
}

void ScheduleBox::refresh()
{
    DailySchedule &current = schedule();
    if (!current.available()) {
        setEnabled(false);
        showState(false, QTime(), QString());
        m_state->setText(QStringLiteral("Bu sistemde zamanlayıcı bulunamadı (systemd kullanıcı oturumu veya cron)."));
        return;
    }
    setEnabled(true);
    DailySchedule::State state;
    ErrorSink::guard([&] { state = current.read(); });
    showState(state.installed, state.time, state.mechanism);
    m_note->setText(state.installed ? current.note() : QString());
    m_note->setVisible(!m_note->text().isEmpty());
}

void ScheduleBox::showState(bool installed, const QTime &time, const QString &mechanism)
{
    m_installed = installed;
    m_installedTime = installed ? time : QTime();
    m_enabled->setChecked(installed);
    if (installed && time.isValid())
        m_time->setTime(time);
    if (!installed)
        m_state->setText(QStringLiteral("Otomatik kayıt kurulu değil."));
    else if (time.isValid())
        m_state->setText(QStringLiteral("Kurulu: her gün %1 (%2).").arg(time.toString(QStringLiteral("HH:mm")), mechanism));
    else
        m_state->setText(QStringLiteral("Kurulu, saati okunamadı (%1).").arg(mechanism));
    m_note->setVisible(!m_note->text().isEmpty());
}

void ScheduleBox::enabledClicked(bool checked)
{
    ErrorSink::guard([&] {
        if (checked)
            schedule().install(m_time->time());
        else
            schedule().remove();
    });
    refresh();
}

// A new time replaces an installed run; without one it only waits for the box to be ticked.
void ScheduleBox::timeEdited()
{
    if (!m_installed || m_time->time() == m_installedTime)
        return;
    ErrorSink::guard([&] { schedule().install(m_time->time()); });
    refresh();
}
