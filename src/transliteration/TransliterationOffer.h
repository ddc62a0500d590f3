#pragma once
#include <functional>

class Field;
class Query;
class QWidget;

// The save check for characters the notification file cannot hold: the save of a row holding
// one is refused with the field and the character named, and where every such field has a
// Latin form the refusal offers it in one click ("Evet"), after which the save goes on with the
// converted texts.
class TransliterationOffer {
public:
    using FocusField = std::function<void(Field *field)>;

    // True when the row may be saved (nothing to convert, or the conversion was taken); false
    // after the refusal, with the focus sent to the first field concerned.
    static bool allowSave(Query &row, QWidget *parent, const FocusField &focus = {});
};
