list(APPEND SELVANE_SOURCES
  delivery/DeliveryRun.cpp
  delivery/ExportOutcome.cpp
  delivery/FacilityDelivery.cpp
  delivery/NotificationLedger.cpp
  delivery/UnattendedExport.cpp
)
