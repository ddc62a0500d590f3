list(APPEND SELVANE_SOURCES
  app/CommandLine.cpp
  app/Startup.cpp
)
list(APPEND SELVANE_RESOURCES
  app/resources/app.qrc
)
