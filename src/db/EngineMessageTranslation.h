#pragma once
#include <QString>

// The operator reads Turkish. The engine and the data layer speak English ("database is locked",
// "Field 'ADI' must have a value"); this table gives each of their texts a Turkish sentence and
// keeps the original after it in parentheses, so that support still sees the engine's own words:
// "Kayıt dosyası başka bir program tarafından kullanılıyor (database is locked)".
// A text the table does not know (our own Turkish texts among them) passes unchanged, and a text
// that was already translated is left as it is.
class EngineMessageTranslation {
public:
    static QString operatorText(const QString &engineText);
    // The Turkish sentence alone; empty when the table has no entry for the text.
    static QString turkishFor(const QString &engineText);
};
