list(APPEND SELVANE_SOURCES
  controls/DbGrid.cpp
  controls/FilterHeader.cpp
  controls/CheckIndicatorHeader.cpp
  controls/RowColorDelegate.cpp
  controls/FilterGrid.cpp
  controls/IconList.cpp
  controls/TVrnImage.cpp
  controls/TVrnCustomHeaderPanel.cpp
  controls/TVrnHeaderPanel.cpp
)
list(APPEND SELVANE_RESOURCES
  controls/controls.qrc
)
