list(APPEND SELVANE_SOURCES
  transliteration/Latin5Charset.cpp
  transliteration/LatinTransliterator.cpp
  transliteration/UnwritableCharacters.cpp
  transliteration/TransliterationOffer.cpp
)
