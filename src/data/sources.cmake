list(APPEND SELVANE_SOURCES
  data/CreationScript.cpp
)
list(APPEND SELVANE_RESOURCES
  data/data.qrc
)
