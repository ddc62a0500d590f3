list(APPEND SELVANE_SOURCES
  instance/InstanceName.cpp
  instance/InstanceProtocol.cpp
  instance/InstanceClient.cpp
  instance/InstanceServer.cpp
)
