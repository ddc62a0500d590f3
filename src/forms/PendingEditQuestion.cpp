#include "forms/PendingEditQuestion.h"

#include "db/ErrorSink.h"
#include "db/Query.h"
#include "forms/MessageBoxes.h"

#include <QAbstractItemView>
#include <QApplication>

PendingEditQuestion::PendingEditQuestion(QWidget *owner, const QList<Query *> &queries) : m_owner(owner)
{
    for (Query *query : queries)
        m_queries << query;
}

bool PendingEditQuestion::resolve()
{
    commitOpenCellEditor();
    if (!hasChanges())
        return true;
    switch (MessageBoxes::askSaveChanges(m_owner)) {
    case MessageBoxes::PendingChanges::Save:
        return saveAll();
    case MessageBoxes::PendingChanges::Discard:
        discardAll();
        return true;
    case MessageBoxes::PendingChanges::Stay:
        break;
    }
    return false;
}

bool PendingEditQuestion::hasChanges() const
{
    for (const QPointer<Query> &query : m_queries) {
        if (query && query->isOpen() && query->isEditing() && query->isModified())
            return true;
    }
    return false;
}

void PendingEditQuestion::commitOpenCellEditor()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !m_owner || !m_owner->isAncestorOf(focus))
        return;
    for (QWidget *widget = focus->parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            if (view->viewport()->isAncestorOf(focus))
                view->setFocus();
            return;
        }
    }
}

// A record that was only opened for editing, or a new one with nothing typed, has nothing to
// save: it is let go as it is.
bool PendingEditQuestion::saveAll()
{
    for (const QPointer<Query> &query : m_queries) {
        if (!query || !query->isOpen() || !query->isEditing())
            continue;
        if (!query->isModified()) {
            query->cancel();
            continue;
        }
        if (!ErrorSink::guard([&] { query->post(); }))
            return false;
    }
    return true;
}

void PendingEditQuestion::discardAll()
{
    for (const QPointer<Query> &query : m_queries) {
        if (query && query->isEditing())
            query->cancel();
    }
}
