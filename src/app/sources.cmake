list(APPEND SELVANE_SOURCES
  app/CommandLine.cpp
  app/TAboutBox.cpp
  app/Tmainform.cpp
  app/Startup.cpp
  app/SelvaneApplication.cpp
)
list(APPEND SELVANE_RESOURCES
  app/resources/app.qrc
)
