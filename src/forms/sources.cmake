list(APPEND SELVANE_SOURCES
  forms/MessageBoxes.cpp
  forms/TMyformbase.cpp
  forms/TFrameBase.cpp
  forms/TFormAyar.cpp
  forms/TFormMisafirCikis.cpp
  forms/DbNavigator.cpp
  forms/TFrameTesisler.cpp
  forms/QueryRowPeek.cpp
  forms/TFormXmlKaydet.cpp
)
