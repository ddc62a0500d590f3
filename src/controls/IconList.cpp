#include "controls/IconList.h"

#include <algorithm>
#include <iterator>
#include <mutex>

namespace {

struct IconEntry {
    int index;
    const char *name;
};

// Which picture each index shows; see icons/ICONS.md for what each stands for.
constexpr IconEntry kEntries[] = {
    {13, "document-print"}, {21, "system-log-out"},  {33, "process-stop"},
    {36, "document-save"},  {45, "folder-open"},     {72, "edit-clear"},
    {108, "system-users"},  {121, "preferences-system"}, {122, "document-save-as"},
};

QIcon loadIcon(const char *name)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addFile(QStringLiteral(":/controls/icons/%1/%2.png").arg(size).arg(QLatin1String(name)), QSize(size, size));
    return icon;
}

} // namespace

// The pictures live in the static library, whose resource object is only linked in when
// something refers to it, which this call does.
static void registerControlResources()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(controls); });
}

IconList::IconList(QObject *parent) : QObject(parent) {}

bool IconList::hasPicture(int index) const
{
    return std::any_of(std::begin(kEntries), std::end(kEntries), [index](const IconEntry &e) { return e.index == index; });
}

// The pictures are read at the first request, so that a run without a user interface (the
// unattended export, a benchmark) never touches them.
QIcon IconList::icon(int index) const
{
    if (m_icons.isEmpty()) {
        registerControlResources();
        for (const IconEntry &entry : kEntries)
            m_icons.insert(entry.index, loadIcon(entry.name));
    }
    return m_icons.value(index);
}

QPixmap IconList::pixmap(int index) const
{
    const QIcon picture = icon(index);
    return picture.isNull() ? QPixmap() : picture.pixmap(iconSize());
}
