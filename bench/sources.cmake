# The sample-data generator: a library for the generator's tests and the selvane-gen program.
add_library(selvanegen STATIC
  gen/GeneratorOptions.cpp
  gen/GuestRowFactory.cpp
  gen/SampleDataGenerator.cpp
  gen/SampleDbFile.cpp
  gen/SampleDbStatement.cpp
  gen/SampleRandom.cpp
  gen/SampleVocabulary.cpp
  gen/StayPlanner.cpp
  gen/StoredForms.cpp
  gen/TcNumber.cpp
)
# its headers are included by bare name, apart from the program's own src/gen
target_include_directories(selvanegen PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/gen)
target_compile_options(selvanegen PRIVATE -Wall -Wextra)
target_link_libraries(selvanegen PUBLIC selvanecore)
add_executable(selvane-gen gen/main.cpp)
target_link_libraries(selvane-gen PRIVATE selvanegen)

# selvane-bench: start-up, guest list and export beside the sqlite3 shell (run by hand).
add_executable(selvane-bench
  BenchMain.cpp
  BenchOptions.cpp
  ComparisonRunner.cpp
  ComparisonTable.cpp
  ExportBenchmark.cpp
  GuestListBenchmark.cpp
  MeasurementFigures.cpp
  PeakMemory.cpp
  ReportedErrors.cpp
  SampleDatabaseCache.cpp
  ScratchCopy.cpp
  SqliteShell.cpp
  StartupBenchmark.cpp
  WorkClock.cpp
  WorkerProcess.cpp
)
target_compile_options(selvane-bench PRIVATE -Wall -Wextra)
target_link_libraries(selvane-bench PRIVATE selvanegen)

# selvane-printbench: the grid print preview of the guest list beside the sqlite3 shell (run by hand).
add_executable(selvane-printbench
  PrintBenchMain.cpp
  PrintPreviewBenchmark.cpp
  PeakMemory.cpp
  SqliteShell.cpp
  WorkClock.cpp
)
target_compile_options(selvane-printbench PRIVATE -Wall -Wextra)
target_link_libraries(selvane-printbench PRIVATE selvanegen)

# selvane-bench: a filter change on the guest list beside the sqlite3 shell.
target_sources(selvane-bench PRIVATE FilterChangeBenchmark.cpp)

# selvane-bench: a title-click sort of the whole guest list beside the sqlite3 shell.
target_sources(selvane-bench PRIVATE TitleSortBenchmark.cpp)

# selvane-gridbench: the real guest list's grid on a register beside the sqlite3 shell.
add_executable(selvane-gridbench GridBenchMain.cpp GuestGridSession.cpp PeakMemory.cpp SqliteShell.cpp WorkClock.cpp)
target_compile_options(selvane-gridbench PRIVATE -Wall -Wextra)
target_link_libraries(selvane-gridbench PRIVATE selvanegen Qt6::Test)
