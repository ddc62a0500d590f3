#pragma once
#include "gen/TFozellik.h"

#include <QSharedDataPointer>
#include <QString>

class TmyfieldsetData;

// A field set: a fixed table of 256 entries by the 10 texts of TFozellik, all empty at first.
// It is a value: every window owns its copy. Copies share the texts until one of them changes,
// so handing a set over costs next to nothing.
class Tmyfieldset {
public:
    static constexpr int EntryCount = 256;

    Tmyfieldset();
    Tmyfieldset(const Tmyfieldset &other);
    Tmyfieldset(Tmyfieldset &&other) noexcept;
    Tmyfieldset &operator=(const Tmyfieldset &other);
    Tmyfieldset &operator=(Tmyfieldset &&other) noexcept;
    ~Tmyfieldset();

    // Indexes outside 0..255 throw "List index out of bounds (%d)".
    const QString &get(int index, TFozellik property) const;
    void set(int index, TFozellik property, const QString &text);

    const QString &alanadi(int index) const { return get(index, TFozellik::alanadi); }
    const QString &etiket(int index) const { return get(index, TFozellik::etiket); }
    const QString &goster(int index) const { return get(index, TFozellik::goster); }
    const QString &genislik(int index) const { return get(index, TFozellik::genislik); }
    const QString &editmaske(int index) const { return get(index, TFozellik::editmaske); }
    const QString &defaultexp(int index) const { return get(index, TFozellik::defaultexp); }
    const QString &dispformat(int index) const { return get(index, TFozellik::dispformat); }
    const QString &usercanmodify(int index) const { return get(index, TFozellik::usercanmodify); }
    const QString &sqlexp(int index) const { return get(index, TFozellik::sqlexp); }
    const QString &sqlhexp(int index) const { return get(index, TFozellik::sqlhexp); }

    // The set ends at the first entry whose alanadi and etiket are both empty.
    bool isEndOfSet(int index) const;
    // Copies all ten texts of an entry of another set into an entry of this one.
    void copyEntry(int index, const Tmyfieldset &from, int fromIndex);
    // Empties all 2,560 texts.
    void clear();

    bool operator==(const Tmyfieldset &other) const;
    bool operator!=(const Tmyfieldset &other) const { return !(*this == other); }

private:
    QSharedDataPointer<TmyfieldsetData> d;
};
