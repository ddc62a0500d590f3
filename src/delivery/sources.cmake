list(APPEND SELVANE_SOURCES
  delivery/UnattendedExport.cpp
)
