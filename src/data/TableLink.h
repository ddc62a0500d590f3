#pragma once
#include <QList>
#include <QString>

#include <optional>

// One row of the table-link list: the detail rows of `detailtable` whose `detailfield` holds the
// value of the master's `masterfield` belong to that master record. The schema declares no foreign
// keys, so these rows are what guards deletions and cascades them.
struct TableLink {
    // Widths of the text columns of the link list, in characters.
    static constexpr int nameSize = 30;
    static constexpr int ekwheresqlSize = 255;

    QString mastertable;
    QString masterfield;
    QString detailtable;
    QString detailfield;
    // The detail rows count as dependents: they are counted and block the master's deletion.
    bool kayituyari = false;
    // The detail rows are deleted together with the master.
    bool kayitsil = false;
    // An extra SQL condition the detail rows must also meet; none when empty.
    std::optional<QString> ekwheresql;
};

using TableLinkList = QList<TableLink>;
