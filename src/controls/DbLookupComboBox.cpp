#include "controls/DbLookupComboBox.h"

#include "db/EditorBinding.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>

DbLookupComboBox::DbLookupComboBox(QWidget *parent) : QComboBox(parent), m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMaxVisibleItems(16);
}

void DbLookupComboBox::fillFrom(Query &list, const QString &keyField, const QStringList &listFields,
                                const QString &shownField)
{
    const QSignalBlocker blocker(this);
    m_model->clear();
    m_model->setColumnCount(int(listFields.size()));
    QList<const Field *> fields;
    for (int column = 0; column < listFields.size(); ++column) {
        const Field &field = list.fieldByName(listFields.at(column));
        fields << &field;
        m_model->setHorizontalHeaderItem(column, new QStandardItem(field.displayLabel()));
    }
    const Field &key = list.fieldByName(keyField);
    const int rows = list.recordCount();
    for (int row = 0; row < rows; ++row) {
        const QString keyText = key.textFor(list.rawValue(row, key.columnIndex()));
        QList<QStandardItem *> items;
        for (const Field *field : std::as_const(fields)) {
            auto *item = new QStandardItem(field->displayTextFor(list.rawValue(row, field->columnIndex())));
            item->setData(keyText, Qt::UserRole);
            item->setEditable(false);
            items << item;
        }
        m_model->appendRow(items);
    }
    setModelColumn(qMax(0, int(listFields.indexOf(shownField))));
    useTableView(int(listFields.size()));
    if (auto *table = qobject_cast<QTableView *>(view())) {
        for (int column = 0; column + 1 < m_model->columnCount(); ++column)
            table->resizeColumnToContents(column);
    }
    setCurrentIndex(-1);
}

void DbLookupComboBox::clearList()
{
    const QSignalBlocker blocker(this);
    m_model->removeRows(0, m_model->rowCount());
    setCurrentIndex(-1);
}

QString DbLookupComboBox::currentKey() const
{
    return currentIndex() < 0 ? QString() : currentData().toString();
}

// Several columns need a table for the drop-down; one column keeps the plain list.
void DbLookupComboBox::useTableView(int columns)
{
    if (columns < 2 || qobject_cast<QTableView *>(view()))
        return;
    auto *table = new QTableView(this);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setView(table);
}

// Some styles open a combo box's list as a menu over the whole screen. The drop-down here is a
// list of at most maxVisibleItems rows under the box (above it when the screen ends), as wide as
// asked and aligned to the box's right edge, scrolled to the chosen row.
void DbLookupComboBox::showPopup()
{
    QComboBox::showPopup();
    QWidget *popup = view()->window();
    if (popup == window() || count() == 0)
        return;
    // The height a row takes on the screen (a table's rows are taller than their text).
    const int rowHeight = qMax(1, view()->visualRect(model()->index(0, modelColumn())).height());
    const int overhead = popup->height() - view()->viewport()->height();
    const int rows = qMin(count(), maxVisibleItems());
    const int width = m_dropDownWidth > 0 ? m_dropDownWidth : this->width();
    const QPoint boxBottomRight = mapToGlobal(QPoint(this->width() - 1, this->height()));
    QRect frame(0, 0, width, rows * rowHeight + overhead);
    frame.moveTopRight(boxBottomRight);
    if (const QScreen *display = screen()) {
        const QRect available = display->availableGeometry();
        if (frame.bottom() > available.bottom())
            frame.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
    }
    popup->setGeometry(frame);
    if (view()->currentIndex().isValid())
        view()->scrollTo(view()->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void DbLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    if (m_clearOnCtrlDelete && event->key() == Qt::Key_Delete
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        setCurrentIndex(-1);
        emit clearedByUser();
        event->accept();
        return;
    }
    if (currentIndex() < 0 && startFromFirstMatch(event->text())) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

// The box's own search by typing starts in the first column when nothing is chosen yet, which is
// not the shown one in a list of several columns; the first key is looked up in the shown column.
bool DbLookupComboBox::startFromFirstMatch(const QString &typed)
{
    if (isEditable() || typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    for (int row = 0; row < count(); ++row) {
        if (itemText(row).startsWith(typed, Qt::CaseInsensitive)) {
            setCurrentIndex(row);
            emit activated(row);
            return true;
        }
    }
    return false;
}

void DbLookupComboBox::bindField(EditorBinding &binding, DbLookupComboBox *box, const QString &fieldName)
{
    binding.bind(box, fieldName);
    connect(box, &DbLookupComboBox::clearedByUser, &binding, [&binding, box] { binding.editorChanged(box); });
}
