#include "transliteration/TransliterationOffer.h"

#include "db/Field.h"
#include "db/Query.h"
#include "forms/MessageBoxes.h"
#include "transliteration/Latin5Charset.h"
#include "transliteration/LatinTransliterator.h"
#include "transliteration/UnwritableCharacters.h"

namespace {

struct Conversion {
    Field *field;
    QString label;
    QString before;
    QString after;
};

QString refusal(const UnwritableCharacters::Finding &first)
{
    return QStringLiteral("%1 bildirim dosyasına yazılamaz; dosyada \"?\" olarak görünür.")
        .arg(UnwritableCharacters::describe(first));
}

QString offerText(const UnwritableCharacters::Finding &first, const QList<Conversion> &conversions)
{
    QStringList lines{refusal(first), QString(), QStringLiteral("Latin harfleriyle şöyle yazılsın mı?")};
    for (const Conversion &conversion : conversions)
        lines << QStringLiteral("%1: %2 → %3").arg(conversion.label, conversion.before, conversion.after);
    return lines.join(u'\n');
}

} // namespace

bool TransliterationOffer::allowSave(Query &row, QWidget *parent, const FocusField &focus)
{
    const QList<UnwritableCharacters::Finding> findings = UnwritableCharacters::findAll(row);
    if (findings.isEmpty())
        return true;
    const UnwritableCharacters::Finding &first = findings.front();
    Field &firstField = row.fieldByName(first.fieldName);

    QList<Conversion> conversions;
    for (const UnwritableCharacters::Finding &finding : findings) {
        Field &field = row.fieldByName(finding.fieldName);
        const QString after = LatinTransliterator::toLatin5(field.asString());
        const QString left = Latin5Charset::firstUnencodable(after);
        if (!left.isEmpty()) {
            // Nothing Latin stands for this character: the operator writes it otherwise.
            MessageBoxes::showWarning(parent, QStringLiteral("%1 alanındaki %2 bildirim dosyasına yazılamaz ve "
                                                             "Latin harfleriyle karşılığı yok; lütfen düzeltin.")
                                                  .arg(finding.label, Latin5Charset::describe(left)));
            if (focus)
                focus(&field);
            return false;
        }
        conversions.append({&field, finding.label, field.asString(), after});
    }
    if (!MessageBoxes::confirm(parent, offerText(first, conversions), QMessageBox::Yes)) {
        if (focus)
            focus(&firstField);
        return false;
    }
    for (const Conversion &conversion : conversions)
        conversion.field->setValue(conversion.after);
    return true;
}
