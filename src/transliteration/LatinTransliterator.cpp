#include "transliteration/LatinTransliterator.h"

#include "db/AppError.h"
#include "transliteration/Latin5Charset.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

// Russian letters as passports spell them (Щ → Shch, not Ŝ); every other script through ICU's
// general Latin form; what is still no Latin-5 letter loses its accents (Ł → L, ð → d). An
// Icelandic Þ before a small letter is "Th", as in Thor. The marks of the Russian rules (the
// hard and soft signs, the separating dot) have no letter of their own.
const char16_t *const kRules =
    u"Þ } [:Lowercase:] > Th ;"
    u":: Russian-Latin/BGN ;"
    u":: Any-Latin ;"
    u":: [\\u00B7\\u02B9\\u02BA] Remove ;"
    u":: Latin-ASCII ;"
    u":: NFD ;"
    u":: [:Nonspacing Mark:] Remove ;"
    u":: NFC ;";

icu::Transliterator &transliterator()
{
    static const std::unique_ptr<icu::Transliterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError{};
        std::unique_ptr<icu::Transliterator> created(icu::Transliterator::createFromRules(
            icu::UnicodeString(u"Selvane-Latin5"), icu::UnicodeString(kRules), UTRANS_FORWARD, parseError, status));
        if (U_FAILURE(status) || !created)
            throw AppError(QStringLiteral("Latin harflerine çevirici kurulamadı (%1)")
                               .arg(QString::fromLatin1(u_errorName(status))));
        return created;
    }();
    return *instance;
}

icu::UnicodeString composed(const QString &text)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *nfc = icu::Normalizer2::getNFCInstance(status);
    const icu::UnicodeString source(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    if (U_FAILURE(status))
        return source;
    icu::UnicodeString result = nfc->normalize(source, status);
    return U_FAILURE(status) ? source : result;
}

// The end of the run of characters that the code page cannot hold, starting at `start`.
int32_t endOfRun(const icu::UnicodeString &text, int32_t start)
{
    int32_t end = start;
    while (end < text.length() && !Latin5Charset::encodable(char32_t(text.char32At(end))))
        end = text.moveIndex32(end, 1);
    return end;
}

} // namespace

QString LatinTransliterator::toLatin5(const QString &text)
{
    icu::UnicodeString working = composed(text);
    int32_t index = 0;
    // Each run is transliterated with the whole text as its context, so that a rule can see the
    // letter after it, while the letters around it stay untouched.
    while (index < working.length()) {
        if (Latin5Charset::encodable(char32_t(working.char32At(index)))) {
            index = working.moveIndex32(index, 1);
            continue;
        }
        UTransPosition position{0, working.length(), index, endOfRun(working, index)};
        transliterator().finishTransliteration(working, position);
        // The run ends where its transliteration ends; what has no Latin form stays in it.
        index = position.limit;
    }
    return QString(reinterpret_cast<const QChar *>(working.getBuffer()), working.length());
}
