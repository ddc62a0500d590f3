list(APPEND SELVANE_SOURCES
  backup/BackupFolder.cpp
  backup/BackupRetention.cpp
  backup/RegisterCopier.cpp
  backup/DailyBackup.cpp
  backup/AfterRestore.cpp
  backup/BackupRestore.cpp
  backup/ProgramRestart.cpp
  backup/BackupRestoreDialog.cpp
)
