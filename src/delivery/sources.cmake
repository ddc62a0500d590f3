list(APPEND SELVANE_SOURCES
  delivery/DeliveryGaps.cpp
  delivery/DeliveryRun.cpp
  delivery/DeliveryWarningBar.cpp
  delivery/ExportOutcome.cpp
  delivery/FacilityDelivery.cpp
  delivery/NotificationFileCheck.cpp
  delivery/NotificationHistoryWindow.cpp
  delivery/NotificationLedger.cpp
  delivery/UnattendedExport.cpp
)
