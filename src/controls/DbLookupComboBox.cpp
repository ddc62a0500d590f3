#include "controls/DbLookupComboBox.h"

#include "db/EditorBinding.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTableView>

DbLookupComboBox::DbLookupComboBox(QWidget *parent) : QComboBox(parent), m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMaxVisibleItems(16);
    watchView();
}

// The box's own menu-like painter of the drop-down ignores the theme's colours for the
// highlighted row and drew it blank; the plain item painter follows them.
void DbLookupComboBox::watchView()
{
    view()->setItemDelegate(new QStyledItemDelegate(view()));
    view()->installEventFilter(this);
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
    m_typed.clear();
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
    watchView();
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
    const int width = qMax(m_dropDownWidth > 0 ? m_dropDownWidth : this->width(), contentWidth());
    const QPoint boxBottomRight = mapToGlobal(QPoint(this->width() - 1, this->height()));
    QRect frame(0, 0, width, rows * rowHeight + overhead);
    frame.moveTopRight(boxBottomRight);
    if (const QScreen *display = screen()) {
        const QRect available = display->availableGeometry();
        if (frame.bottom() > available.bottom())
            frame.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
        // A list wider than the room left of the box's right edge moves right, never off screen.
        if (frame.width() > available.width())
            frame.setWidth(available.width());
        if (frame.left() < available.left())
            frame.moveLeft(available.left());
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
        m_typed.clear();
        emit clearedByUser();
        event->accept();
        return;
    }
    if (!isEditable() && isSearchKey(event)) {
        const int row = searchTyped(event->text());
        if (row >= 0)
            chooseRow(row);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

// While the drop-down is open the keys go to its view; they search the same way there and only
// move the highlight, which Enter or a click then chooses.
bool DbLookupComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view() && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!isEditable() && isSearchKey(key)) {
            const int row = searchTyped(key->text());
            if (row >= 0)
                showFoundRowInView(row);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

// Printable keys search. A space that does not go on with what is being typed keeps its usual
// effect of opening the drop-down; within a search it is part of the name ("KUZEY KIBRIS").
bool DbLookupComboBox::isSearchKey(const QKeyEvent *event) const
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return event->key() != Qt::Key_Space || typingGoesOn();
}

bool DbLookupComboBox::typingGoesOn() const
{
    return m_sinceLastKey.isValid() && m_sinceLastKey.elapsed() <= QApplication::keyboardInputInterval();
}

namespace {
// Turkish capitals ("i" is "İ", "ı" is "I"), with the two capital i's taken as one letter: the
// lists mix Turkish names (TÜRKİYE) with English ones (ITALY), and an operator on a Turkish
// keyboard types the same "i" for both.
QString searchForm(const QString &text)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QString form = turkish.toUpper(text);
    form.replace(QChar(0x0130), QLatin1Char('I'));
    return form;
}
} // namespace

int DbLookupComboBox::searchTyped(const QString &key)
{
    const bool goesOn = typingGoesOn();
    m_sinceLastKey.start();
    m_typed = goesOn ? m_typed + key : key;
    const int current = view()->isVisible() ? view()->currentIndex().row() : currentIndex();
    // A row that reads exactly as typed comes first: "11" is room 11, not room 110 listed before it.
    const int exact = findRow(m_typed, qMax(0, current), Match::Whole);
    if (exact >= 0)
        return exact;
    const int row = findRow(m_typed, qMax(0, current), Match::Beginning);
    if (row >= 0)
        return row;
    // One letter pressed again and again ("GG") moves on to the next row that starts with it,
    // as in any list, when no row starts with the letters themselves ("11" is a room).
    const bool oneLetterRepeated = m_typed.count(key) * key.size() == m_typed.size();
    return oneLetterRepeated && m_typed.size() > 1 ? findRow(key, current + 1, Match::Beginning) : -1;
}

// The first row from startRow on (wrapping round) whose shown text is, or starts with, what was
// typed.
int DbLookupComboBox::findRow(const QString &typed, int startRow, Match match) const
{
    const int rows = count();
    const QString wanted = searchForm(typed);
    for (int step = 0; step < rows; ++step) {
        const int row = (startRow + step) % rows;
        const QString shown = searchForm(itemText(row));
        if (match == Match::Whole ? shown == wanted : shown.startsWith(wanted))
            return row;
    }
    return -1;
}

void DbLookupComboBox::chooseRow(int row)
{
    if (row == currentIndex())
        return;
    setCurrentIndex(row);
    emit activated(row);
}

void DbLookupComboBox::showFoundRowInView(int row)
{
    const QModelIndex index = model()->index(row, modelColumn());
    view()->setCurrentIndex(index);
    view()->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

int DbLookupComboBox::contentWidth() const
{
    const QFontMetrics metrics = view()->fontMetrics();
    // Room for the cell's margins on both sides of the text.
    const int cellPadding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view()) + 1) + 8;
    int width = 0;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (auto *table = qobject_cast<QTableView *>(view()); table && table->isColumnHidden(column))
            continue;
        int widest = 0;
        for (int row = 0; row < m_model->rowCount(); ++row)
            widest = qMax(widest, metrics.horizontalAdvance(m_model->item(row, column)->text()));
        width += widest + cellPadding;
    }
    const int scrollBar = count() > maxVisibleItems() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view()) : 0;
    return width + scrollBar + 2 * view()->frameWidth() + 4;
}

// The box shows the chosen value from its beginning: when the box is too narrow, the end gives
// way to "…" and the whole value is the tool tip.
void DbLookupComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect textRect = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QString whole = option.currentText;
    option.currentText = fontMetrics().elidedText(whole, Qt::ElideRight, qMax(0, textRect.width() - 4));
    const QString tip = option.currentText == whole ? QString() : whole;
    if (toolTip() != tip)
        setToolTip(tip);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DbLookupComboBox::bindField(EditorBinding &binding, DbLookupComboBox *box, const QString &fieldName)
{
    binding.bind(box, fieldName);
    connect(box, &DbLookupComboBox::clearedByUser, &binding, [&binding, box] { binding.editorChanged(box); });
}
