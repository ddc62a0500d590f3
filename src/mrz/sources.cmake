list(APPEND SELVANE_SOURCES
  mrz/MrzCheckDigit.cpp
  mrz/MrzUyruk.cpp
  mrz/TMrzCozucu.cpp
  mrz/TFormMrzOku.cpp
)
