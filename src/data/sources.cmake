list(APPEND SELVANE_SOURCES
  data/CreationScript.cpp
  data/ListStatements.cpp
  data/TableLinks.cpp
  data/Tdm1.cpp
  data/GridReportTable.cpp
  data/GridReportCellFormat.cpp
  data/GridReportTableBuilder.cpp
  data/GridReportLayout.cpp
  data/GridPrintPreviewDialog.cpp
  data/GridPrinter.cpp
  data/TableExportFile.cpp
  data/TableExportCsv.cpp
  data/TableExportXlsx.cpp
  data/TableExportPdf.cpp
)
list(APPEND SELVANE_RESOURCES
  data/data.qrc
)
