list(APPEND SELVANE_SOURCES
  gen/TFlashTimer.cpp
  gen/TransientMessage.cpp
  gen/EKimlikRowHata.cpp
  gen/KimlikNo.cpp
  gen/TKimlikRowValidate.cpp
  gen/Tmyfieldset.cpp
  gen/TDataTanimlari.cpp
  gen/FieldSetRoutines.cpp
  gen/StandardFieldSets.cpp
  gen/SqlLiteral.cpp
  gen/TVrnFiltreMetniCozucu.cpp
  gen/TVrnFiltreMetniCozucu2.cpp
  gen/GridFilter.cpp
)
