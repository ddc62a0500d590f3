list(APPEND SELVANE_SOURCES
  controls/DbGrid.cpp
)
