list(APPEND SELVANE_SOURCES
  schedule/SystemCommand.cpp
  schedule/ScheduledRun.cpp
  schedule/SystemdUserSchedule.cpp
  schedule/CrontabSchedule.cpp
  schedule/SystemSchedule.cpp
  schedule/ScheduleBox.cpp
)
