list(APPEND SELVANE_SOURCES
  data/CreationScript.cpp
  data/TableLinks.cpp
  data/Tdm1.cpp
)
list(APPEND SELVANE_RESOURCES
  data/data.qrc
)
