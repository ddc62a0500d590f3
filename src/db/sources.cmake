list(APPEND SELVANE_SOURCES
  db/AppError.cpp
  db/BooleanWords.cpp
  db/Database.cpp
  db/DisplayFormat.cpp
  db/EditorBinding.cpp
  db/EngineMessageTranslation.cpp
  db/ErrorSink.cpp
  db/Field.cpp
  db/FieldType.cpp
  db/Query.cpp
  db/SortKeyColumn.cpp
  db/QueryTableModel.cpp
  db/RepeatedTextPool.cpp
  db/Statement.cpp
  db/StoredValue.cpp
)
