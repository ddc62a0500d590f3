list(APPEND SELVANE_SOURCES
  notify/XmlAttributeList.cpp
  notify/TXMLKonaklama_Kisi.cpp
  notify/TXMLKonaklama.cpp
  notify/Iso88599Codec.cpp
  notify/KonaklamaDocument.cpp
  notify/NotificationFileWriter.cpp
  notify/NotificationDates.cpp
  notify/PresentGuestsPerCode.cpp
  notify/PresentGuestsByCode.cpp
  notify/XmlKaydet.cpp
)
