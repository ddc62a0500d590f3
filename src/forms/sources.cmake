list(APPEND SELVANE_SOURCES
  forms/MessageBoxes.cpp
  forms/TMyformbase.cpp
  forms/TFrameBase.cpp
  forms/TFormAyar.cpp
  forms/TFormMisafirCikis.cpp
  forms/QueryRowPeek.cpp
  forms/TFormXmlKaydet.cpp
  forms/DbNavigator.cpp
  forms/TFrameTesisler.cpp
  forms/TFrameMisafirler.cpp
  forms/TFrameMisafirEdit.cpp
  forms/TFormMisafirEdit.cpp
  forms/PendingEditQuestion.cpp
)
