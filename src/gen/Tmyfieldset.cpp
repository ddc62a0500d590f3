#include "gen/Tmyfieldset.h"

#include "db/AppError.h"

#include <QSharedData>
#include <array>

class TmyfieldsetData : public QSharedData {
public:
    std::array<QString, Tmyfieldset::EntryCount * TFozellikCount> texts;
};

namespace {

int slotOf(int index, TFozellik property)
{
    if (index < 0 || index >= Tmyfieldset::EntryCount)
        throw AppError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return index * TFozellikCount + int(property);
}

} // namespace

Tmyfieldset::Tmyfieldset() : d(new TmyfieldsetData) {}
Tmyfieldset::Tmyfieldset(const Tmyfieldset &other) = default;
Tmyfieldset::Tmyfieldset(Tmyfieldset &&other) noexcept = default;
Tmyfieldset &Tmyfieldset::operator=(const Tmyfieldset &other) = default;
Tmyfieldset &Tmyfieldset::operator=(Tmyfieldset &&other) noexcept = default;
Tmyfieldset::~Tmyfieldset() = default;

const QString &Tmyfieldset::get(int index, TFozellik property) const
{
    return d->texts[size_t(slotOf(index, property))];
}

void Tmyfieldset::set(int index, TFozellik property, const QString &text)
{
    const int slot = slotOf(index, property);
    d->texts[size_t(slot)] = text;
}

bool Tmyfieldset::isEndOfSet(int index) const
{
    return alanadi(index).isEmpty() && etiket(index).isEmpty();
}

void Tmyfieldset::copyEntry(int index, const Tmyfieldset &from, int fromIndex)
{
    const int target = slotOf(index, TFozellik::alanadi);
    const int source = slotOf(fromIndex, TFozellik::alanadi);
    // Read the source before detaching, which matters when a set copies into itself.
    const Tmyfieldset keep = from;
    for (int property = 0; property < TFozellikCount; ++property)
        d->texts[size_t(target + property)] = keep.d->texts[size_t(source + property)];
}

void Tmyfieldset::clear()
{
    d = new TmyfieldsetData;
}

bool Tmyfieldset::operator==(const Tmyfieldset &other) const
{
    return d == other.d || d->texts == other.d->texts;
}
