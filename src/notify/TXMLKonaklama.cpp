#include "notify/TXMLKonaklama.h"

#include "db/AppError.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// The writing order of the root attributes; it must match the enum Attribute.
constexpr std::array<QLatin1StringView, 4> konaklamaAttributeNames = {
    "TesisKodu"_L1,
    "Tarih"_L1,
    "GonderenProgram"_L1,
    "GonderenProgramVersiyon"_L1,
};

} // namespace

TXMLKonaklama::TXMLKonaklama() : m_attributes(konaklamaAttributeNames)
{
    static_assert(konaklamaAttributeNames.size() == AttrGonderenProgramVersiyon + 1);
}

int TXMLKonaklama::count() const
{
    return int(m_kisiler.size());
}

void TXMLKonaklama::clear()
{
    m_kisiler.clear();
}

void TXMLKonaklama::removeAt(int index)
{
    checkIndex(index, count() - 1);
    m_kisiler.erase(m_kisiler.begin() + index);
}

int TXMLKonaklama::remove(const IXMLKonaklamaJ_Kisi &node)
{
    const auto found = std::find_if(m_kisiler.begin(), m_kisiler.end(),
                                    [&node](const auto &kisi) { return kisi.get() == &node; });
    if (found == m_kisiler.end())
        return -1;
    const int index = int(found - m_kisiler.begin());
    m_kisiler.erase(found);
    return index;
}

QString TXMLKonaklama::TesisKodu() const { return m_attributes.value(AttrTesisKodu); }
QString TXMLKonaklama::Tarih() const { return m_attributes.value(AttrTarih); }
QString TXMLKonaklama::GonderenProgram() const { return m_attributes.value(AttrGonderenProgram); }
QString TXMLKonaklama::GonderenProgramVersiyon() const { return m_attributes.value(AttrGonderenProgramVersiyon); }

IXMLKonaklamaJ_Kisi &TXMLKonaklama::Kisi(int index)
{
    checkIndex(index, count() - 1);
    return *m_kisiler[std::size_t(index)];
}

const IXMLKonaklamaJ_Kisi &TXMLKonaklama::Kisi(int index) const
{
    checkIndex(index, count() - 1);
    return *m_kisiler[std::size_t(index)];
}

void TXMLKonaklama::setTesisKodu(const QString &value) { m_attributes.setValue(AttrTesisKodu, value); }
void TXMLKonaklama::setTarih(const QString &value) { m_attributes.setValue(AttrTarih, value); }
void TXMLKonaklama::setGonderenProgram(const QString &value) { m_attributes.setValue(AttrGonderenProgram, value); }
void TXMLKonaklama::setGonderenProgramVersiyon(const QString &value) { m_attributes.setValue(AttrGonderenProgramVersiyon, value); }

IXMLKonaklamaJ_Kisi &TXMLKonaklama::Add()
{
    return Insert(count());
}

IXMLKonaklamaJ_Kisi &TXMLKonaklama::Insert(int index)
{
    checkIndex(index, count());
    const auto inserted = m_kisiler.insert(m_kisiler.begin() + index, std::make_unique<TXMLKonaklama_Kisi>());
    return **inserted;
}

QString TXMLKonaklama::xml() const
{
    QString out = u"<Konaklama"_s;
    m_attributes.appendTo(out);
    if (m_kisiler.empty()) {
        out += u"/>";
        return out;
    }
    out += u'>';
    for (const auto &kisi : m_kisiler)
        kisi->appendXml(out);
    out += u"</Konaklama>";
    return out;
}

void TXMLKonaklama::checkIndex(int index, int upperBound) const
{
    if (index < 0 || index > upperBound)
        throw AppError(u"Liste indeksi sınırların dışında (%1)."_s.arg(index));
}
