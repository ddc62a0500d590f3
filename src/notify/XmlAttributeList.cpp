#include "notify/XmlAttributeList.h"

#include <cassert>

namespace {

const QChar invalidCharacterSubstitute = u'?';

bool isAllowedBmpCharacter(char16_t c)
{
    // Surrogates are handled by the caller; U+FFFE and U+FFFF are not characters in XML 1.0.
    return c >= 0x20 && c != 0xFFFE && c != 0xFFFF;
}

} // namespace

XmlAttributeList::XmlAttributeList(std::span<const QLatin1StringView> names)
    : m_names(names), m_values(names.size())
{
}

QString XmlAttributeList::value(std::size_t index) const
{
    assert(index < m_values.size());
    return m_values[index].value_or(QString());
}

void XmlAttributeList::setValue(std::size_t index, const QString &value)
{
    assert(index < m_values.size());
    m_values[index] = value;
}

void XmlAttributeList::appendTo(QString &out) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (!m_values[i])
            continue;
        out += u' ';
        out += m_names[i];
        out += u"=\"";
        appendEscaped(*m_values[i], out);
        out += u'"';
    }
}

void XmlAttributeList::appendEscaped(QStringView value, QString &out)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        switch (c) {
        case u'&': out += u"&amp;"; continue;
        case u'<': out += u"&lt;"; continue;
        case u'"': out += u"&quot;"; continue;
        case u'\t': out += u"&#9;"; continue;
        case u'\n': out += u"&#10;"; continue;
        case u'\r': out += u"&#13;"; continue;
        default: break;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            // A valid pair is one character outside the BMP; the encoding decides what becomes of it.
            out += value[i];
            out += value[i + 1];
            ++i;
        } else if (QChar::isSurrogate(c) || !isAllowedBmpCharacter(c)) {
            out += invalidCharacterSubstitute;
        } else {
            out += value[i];
        }
    }
}
