list(APPEND SELVANE_SOURCES
  gen/TFlashTimer.cpp
  gen/TransientMessage.cpp
)
