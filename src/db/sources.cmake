list(APPEND SELVANE_SOURCES
  db/AppError.cpp
)
