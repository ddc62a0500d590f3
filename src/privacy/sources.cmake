# Identity data for the owner alone, shown to the person it belongs to, erased when its time is up.
list(APPEND SELVANE_SOURCES
  privacy/OwnerOnlyFileCreation.cpp
  privacy/RegisterFileMode.cpp
  privacy/PrivacySchema.cpp
  privacy/ScrubbingScope.cpp
  privacy/StayErasure.cpp
  privacy/RecordedErasures.cpp
  privacy/ErasureBackup.cpp
  privacy/KeepingPeriod.cpp
  privacy/PersonSearch.cpp
  privacy/TFormKisiselVeriSorgusu.cpp
  privacy/KeepingPeriodField.cpp
  privacy/PrivacyCommands.cpp
)
