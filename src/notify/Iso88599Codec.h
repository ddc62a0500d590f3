#pragma once
#include <QByteArray>
#include <QStringView>

// Turkish Latin-5 (ISO-8859-9), the encoding of the notification files. It is Latin-1 except at six
// places, where the Turkish letters Ğ İ Ş ğ ı ş take the places of Ð Ý Þ ð ý þ.
// The hash line and the file body are both encoded here, so that they are made of the same bytes.
class Iso88599Codec {
public:
    // Written for every character the code page cannot hold. It is a plain "?" rather than the
    // control character SUB (0x1A), which XML does not allow and the official client could not read.
    static constexpr char substitute = '?';

    // One byte per character; a character outside the BMP (a surrogate pair) is one character and
    // gives one substitute, as does a lone surrogate.
    static QByteArray encode(QStringView text);

private:
    static char encodeBmpCharacter(char16_t c);
};
