#include "forms/DbNavigator.h"

#include "db/ErrorSink.h"
#include "db/Query.h"
#include "db/QueryTableModel.h"
#include "forms/MessageBoxes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHBoxLayout>
#include <QMetaEnum>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace {

using Button = DbNavigator::Button;

constexpr int kGlyphSize = 16;
constexpr QSize kButtonSize(25, 25);

const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);
const QColor kBlue(0, 90, 170);

void fillPolygon(QPainter &painter, const QColor &colour, std::initializer_list<QPointF> points)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void strokeLine(QPainter &painter, const QColor &colour, std::initializer_list<QPointF> points)
{
    painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF(QList<QPointF>(points)));
}

void paintRefresh(QPainter &painter)
{
    painter.setPen(QPen(kBlue, 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(3.5, 3.5, 9, 9), 100 * 16, 290 * 16);
    fillPolygon(painter, kBlue, {{6.5, 1.0}, {10.5, 4.0}, {6.5, 7.0}});
}

void paintGlyph(QPainter &painter, Button button, const QColor &ink)
{
    switch (button) {
    case Button::First:
        painter.fillRect(QRectF(3, 3, 2, 10), ink);
        fillPolygon(painter, ink, {{12, 3}, {12, 13}, {6, 8}});
        break;
    case Button::Prior:
        fillPolygon(painter, ink, {{11, 3}, {11, 13}, {5, 8}});
        break;
    case Button::Next:
        fillPolygon(painter, ink, {{5, 3}, {5, 13}, {11, 8}});
        break;
    case Button::Last:
        fillPolygon(painter, ink, {{4, 3}, {4, 13}, {10, 8}});
        painter.fillRect(QRectF(11, 3, 2, 10), ink);
        break;
    case Button::Insert:
        painter.fillRect(QRectF(7, 3, 2, 10), kGreen);
        painter.fillRect(QRectF(3, 7, 10, 2), kGreen);
        break;
    case Button::Delete:
        painter.fillRect(QRectF(3, 7, 10, 2), kRed);
        break;
    case Button::Edit: // a pencil, point down to the left
        fillPolygon(painter, ink, {{2.5, 13.5}, {3.5, 10}, {11, 2.5}, {13.5, 5}, {6, 12.5}});
        break;
    case Button::Post:
        strokeLine(painter, kGreen, {{3, 8.5}, {6.5, 12}, {13, 4}});
        break;
    case Button::Cancel:
        strokeLine(painter, kRed, {{4, 4}, {12, 12}});
        strokeLine(painter, kRed, {{12, 4}, {4, 12}});
        break;
    case Button::Refresh:
        paintRefresh(painter);
        break;
    }
}

// The pictures are drawn rather than taken from the style, so that every button has one on
// every desktop; the disabled look is the icon's own greyed mode.
QIcon glyphIcon(Button button, const QColor &ink)
{
    constexpr qreal ratio = 2.0;
    QPixmap pixmap(QSize(kGlyphSize, kGlyphSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintGlyph(painter, button, ink);
    painter.end();
    return QIcon(pixmap);
}

// The grid whose cell editor has the focus, or null. Cell editors live on the view's viewport.
QAbstractItemView *viewOfFocusedCellEditor()
{
    QWidget *focus = QApplication::focusWidget();
    for (QWidget *widget = focus ? focus->parentWidget() : nullptr; widget; widget = widget->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(widget))
            return view->viewport()->isAncestorOf(focus) ? view : nullptr;
    }
    return nullptr;
}

// Whether a cell of a grid over the query is being typed in: the query is not in edit state
// until the cell is left, but the record is being edited all the same.
bool cellBeingTyped(const Query *query)
{
    const QAbstractItemView *view = viewOfFocusedCellEditor();
    const auto *model = view ? qobject_cast<const QueryTableModel *>(view->model()) : nullptr;
    return model && model->query() == query;
}

// A cell being typed belongs to the record as much as a typed editor does: it is put into the
// query by moving the focus back to its grid, which closes the cell editor.
void commitOpenCellEditor()
{
    if (QAbstractItemView *view = viewOfFocusedCellEditor())
        view->setFocus();
}

} // namespace

QList<DbNavigator::Button> DbNavigator::allButtons()
{
    return {Button::First, Button::Prior, Button::Next,  Button::Last,   Button::Insert,
            Button::Delete, Button::Edit, Button::Post, Button::Cancel, Button::Refresh};
}

QString DbNavigator::defaultHint(Button button)
{
    switch (button) {
    case Button::First: return QStringLiteral("İlk kayıt");
    case Button::Prior: return QStringLiteral("Önceki kayıt");
    case Button::Next: return QStringLiteral("Sonraki kayıt");
    case Button::Last: return QStringLiteral("Son kayıt");
    case Button::Insert: return QStringLiteral("Kayıt ekle");
    case Button::Delete: return QStringLiteral("Kaydı sil");
    case Button::Edit: return QStringLiteral("Kaydı düzenle");
    case Button::Post: return QStringLiteral("Düzenlemeyi kaydet");
    case Button::Cancel: return QStringLiteral("Düzenlemeden vazgeç");
    case Button::Refresh: return QStringLiteral("Verileri yenile");
    }
    return QString();
}

QString DbNavigator::deleteQuestion()
{
    return QStringLiteral("Kayıt silinsin mi?");
}

DbNavigator::DbNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QColor ink = palette().color(QPalette::ButtonText);
    for (Button kind : allButtons()) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("nb%1").arg(QLatin1String(QMetaEnum::fromType<Button>().valueToKey(int(kind)))));
        button->setIcon(glyphIcon(kind, ink));
        button->setIconSize(QSize(kGlyphSize, kGlyphSize));
        button->setFixedSize(kButtonSize);
        button->setAutoRaise(true);
        // Like the editors' own keys, a press leaves the focus where the operator is typing.
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(defaultHint(kind));
        connect(button, &QToolButton::clicked, this, [this, kind] { click(kind); });
        layout->addWidget(button);
        m_buttons[index(kind)] = button;
    }
    layout->addStretch(1);
    // Opening and leaving a cell editor changes what the edit buttons can do.
    connect(qApp, &QApplication::focusChanged, this, &DbNavigator::updateButtons);
    updateButtons();
}

void DbNavigator::setQuery(Query *query)
{
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (query) {
        for (auto signal : {&Query::opened, &Query::closed, &Query::stateChanged, &Query::rowsReordered})
            connect(query, signal, this, &DbNavigator::updateButtons);
        for (auto signal : {&Query::currentRowChanged, &Query::rowInserted, &Query::rowRemoved})
            connect(query, signal, this, &DbNavigator::updateButtons);
        connect(query, &Query::rowsLoaded, this, &DbNavigator::updateButtons);
        connect(query, &QObject::destroyed, this, &DbNavigator::updateButtons, Qt::QueuedConnection);
    }
    updateButtons();
}

void DbNavigator::setVisibleButtons(const QList<Button> &buttons)
{
    for (Button kind : allButtons())
        button(kind)->setVisible(buttons.contains(kind));
}

bool DbNavigator::isButtonVisible(Button kind) const
{
    return !button(kind)->isHidden();
}

void DbNavigator::setHints(const QStringList &hints)
{
    for (int i = 0; i < kButtonCount && i < hints.size(); ++i)
        m_buttons[i]->setToolTip(hints[i]);
}

QString DbNavigator::hint(Button kind) const
{
    return button(kind)->toolTip();
}

void DbNavigator::setAction(Button kind, std::function<void()> action)
{
    m_actions[index(kind)] = std::move(action);
}

void DbNavigator::click(Button kind)
{
    updateButtons();
    if (!button(kind)->isEnabled())
        return;
    if (kind == Button::Delete && m_confirmDelete && !MessageBoxes::confirm(this, deleteQuestion()))
        return;
    commitOpenCellEditor();
    const bool done = ErrorSink::guard([&] {
        if (m_actions[index(kind)])
            m_actions[index(kind)]();
        else
            runStandard(kind);
    });
    updateButtons();
    if (done)
        emit clicked(kind);
}

void DbNavigator::runStandard(Button kind)
{
    Query &query = *m_query;
    switch (kind) {
    case Button::First: query.first(); break;
    case Button::Prior: query.prior(); break;
    case Button::Next: query.next(); break;
    case Button::Last: query.last(); break;
    case Button::Insert: query.insert(); break;
    case Button::Delete: query.remove(); break;
    case Button::Edit: query.edit(); break;
    case Button::Post: query.post(); break;
    case Button::Cancel: query.cancel(); break;
    case Button::Refresh: query.refresh(); break;
    }
}

void DbNavigator::updateButtons()
{
    for (Button kind : allButtons())
        button(kind)->setEnabled(shouldEnable(kind));
}

bool DbNavigator::shouldEnable(Button kind) const
{
    if (!m_query || !m_query->isOpen())
        return false;
    Query &query = *m_query;
    const bool writable = !query.isReadOnly();
    const bool editing = query.isEditing() || cellBeingTyped(&query);
    switch (kind) {
    case Button::First:
    case Button::Prior:
        return query.row() > 0;
    case Button::Next:
    case Button::Last:
        // Rows not read yet may follow; the first attempt to pass the last one settles it.
        return !query.isEof() && (query.row() + 1 < query.loadedCount() || !query.isFullyLoaded());
    case Button::Insert:
        return writable;
    case Button::Delete:
        // Judged from the rows already read: the navigator never reads rows itself, as it is
        // told of changes in the middle of the query's own announcements to the grids.
        return writable && (query.loadedCount() > 0 || !query.isFullyLoaded());
    case Button::Edit:
        return writable && !editing;
    case Button::Post:
    case Button::Cancel:
        return writable && editing;
    case Button::Refresh:
        return !editing;
    }
    return false;
}
