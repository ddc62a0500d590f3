list(APPEND SELVANE_SOURCES
  controls/DbGrid.cpp
  controls/FilterHeader.cpp
  controls/CheckIndicatorHeader.cpp
  controls/RowColorDelegate.cpp
  controls/FilterGrid.cpp
)
