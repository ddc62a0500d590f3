#pragma once
#include "notify/IXMLKonaklamaJ.h"

#include <QString>
#include <memory>

// A new, empty notification document; the caller owns the returned root, which starts without
// attributes and without guests.
std::unique_ptr<IXMLKonaklamaJ> NewKonaklama();

// MD5 over the ISO-8859-9 bytes of text, as 32 hexadecimal digits with upper-case letters.
// It is the value of a notification file's hash line, taken over the root's XML text.
QString XmlHash(const QString &text);
