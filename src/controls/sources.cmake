list(APPEND SELVANE_SOURCES
  controls/DbGrid.cpp
  controls/FilterHeader.cpp
  controls/CheckIndicatorHeader.cpp
  controls/FieldCellDelegate.cpp
  controls/RowColorDelegate.cpp
  controls/FilterGrid.cpp
  controls/IconList.cpp
  controls/TVrnImage.cpp
  controls/TVrnCustomHeaderPanel.cpp
  controls/TVrnHeaderPanel.cpp
  controls/NullableDateEdit.cpp
  controls/DbRadioGroup.cpp
  controls/DbLookupComboBox.cpp
)
list(APPEND SELVANE_RESOURCES
  controls/controls.qrc
)
