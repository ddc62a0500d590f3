list(APPEND SELVANE_SOURCES
  gen/TFlashTimer.cpp
  gen/TransientMessage.cpp
  gen/EKimlikRowHata.cpp
  gen/KimlikNo.cpp
  gen/TKimlikRowValidate.cpp
)
