#include "data/GridReportLayout.h"

#include "db/AppError.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kMillimetresPerInch = 25.4;
constexpr qreal kTitleWidthMm = 123;
constexpr qreal kTitleHeightMm = 5;
// Room between the title and the table.
constexpr qreal kTitleSpacingMm = 2;
constexpr qreal kMarginMm = 10;
constexpr qreal kFrameWidth = 1;
const QColor kHeaderBackground(255, 207, 106);

qreal pixelsFromMillimetres(qreal mm)
{
    return mm / kMillimetresPerInch * GridReportLayout::kPixelsPerInch;
}

QTextOption wrappingOption(Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

} // namespace

GridReportLayout::GridReportLayout(const GridReportTable &table)
    : m_table(table), m_cellFont(cellFont()), m_titleFont(titleFont())
{
    measure();
}

QPageLayout GridReportLayout::defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

QSizeF GridReportLayout::printableSize(const QPageLayout &pageLayout)
{
    const QRectF area = pageLayout.paintRect(QPageLayout::Millimeter);
    return QSizeF(pixelsFromMillimetres(area.width()), pixelsFromMillimetres(area.height()));
}

// Pixel heights as the report asks for them; unhinted, so that what is measured here is what
// any device draws.
QFont GridReportLayout::titleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(13);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont GridReportLayout::cellFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow")});
    font.setPixelSize(11);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

Qt::Alignment GridReportLayout::alignment(int row, int column) const
{
    const Qt::Alignment horizontal = m_table.cell(row, column).numeric ? Qt::AlignRight : Qt::AlignLeft;
    return horizontal | Qt::AlignVCenter;
}

qreal GridReportLayout::textHeight(const QString &text, qreal innerWidth) const
{
    QTextLayout layout(text, m_cellFont);
    layout.setTextOption(wrappingOption(Qt::AlignLeft));
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(innerWidth);
        ++lines;
    }
    layout.endLayout();
    return std::max(1, lines) * m_lineHeight;
}

// Columns are as wide as their widest text (label or value) up to the maximum; every row is as
// high as its highest cell, so a row lines up across the pages of a strip.
void GridReportLayout::measure()
{
    const QFontMetricsF metrics(m_cellFont);
    m_lineHeight = metrics.height();
    // Many values repeat (facility, nationality, dates): each text is measured once.
    QHash<QString, qreal> widths;
    auto widthOf = [&](const QString &text) {
        auto found = widths.constFind(text);
        if (found != widths.constEnd())
            return found.value();
        const qreal width = metrics.horizontalAdvance(text);
        widths.insert(text, width);
        return width;
    };

    m_titleBandHeight = pixelsFromMillimetres(kTitleHeightMm + kTitleSpacingMm);
    m_rowHeaderWidth = std::max(kMinColumnWidth,
                                std::ceil(metrics.horizontalAdvance(QString::number(m_table.rowCount())))
                                    + 2 * kCellGap + kFrameWidth);

    const int columns = m_table.columnCount();
    const int rows = m_table.rowCount();
    m_columnWidths.assign(size_t(columns), 0);
    std::vector<qreal> textWidths(size_t(rows) * size_t(columns));
    for (int column = 0; column < columns; ++column) {
        qreal widest = widthOf(m_table.column(column).label);
        for (int row = 0; row < rows; ++row) {
            const qreal width = widthOf(m_table.cell(row, column).text);
            textWidths[size_t(row) * size_t(columns) + size_t(column)] = width;
            widest = std::max(widest, width);
        }
        m_columnWidths[size_t(column)] =
            std::clamp(std::ceil(widest) + 2 * kCellGap + kFrameWidth, kMinColumnWidth, kMaxColumnWidth);
    }

    auto innerWidth = [this](int column) { return m_columnWidths[size_t(column)] - 2 * kCellGap - kFrameWidth; };
    const qreal singleLine = m_lineHeight + 2 * kCellGap + kFrameWidth;

    m_headerHeight = singleLine;
    for (int column = 0; column < columns; ++column) {
        const QString &label = m_table.column(column).label;
        if (widthOf(label) <= innerWidth(column))
            continue;
        m_headerHeight = std::max(m_headerHeight, textHeight(label, innerWidth(column)) + 2 * kCellGap + kFrameWidth);
        m_wrappedCells.insert(cellKey(-1, column));
    }

    m_rowHeights.assign(size_t(rows), singleLine);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (textWidths[size_t(row) * size_t(columns) + size_t(column)] <= innerWidth(column))
                continue;
            const qreal height = textHeight(m_table.cell(row, column).text, innerWidth(column));
            m_rowHeights[size_t(row)] = std::max(m_rowHeights[size_t(row)], height + 2 * kCellGap + kFrameWidth);
            m_wrappedCells.insert(cellKey(row, column));
        }
    }
}

std::vector<int> GridReportLayout::columnBandStarts(qreal printableWidth) const
{
    std::vector<int> starts{0};
    qreal x = m_rowHeaderWidth;
    for (int column = 0; column < m_table.columnCount(); ++column) {
        const qreal width = m_columnWidths[size_t(column)];
        if (x + width > printableWidth && column > starts.back()) {
            starts.push_back(column);
            x = m_rowHeaderWidth;
        }
        x += width;
    }
    return starts;
}

// The first strip has the title above it; a row taller than a whole page stands alone on its
// pages and is cut at the page's edge.
std::vector<int> GridReportLayout::rowStripStarts(qreal printableHeight) const
{
    std::vector<int> starts{0};
    qreal room = printableHeight - m_titleBandHeight - m_headerHeight;
    qreal used = 0;
    for (int row = 0; row < m_table.rowCount(); ++row) {
        const qreal height = m_rowHeights[size_t(row)];
        if (used + height > room && row > starts.back()) {
            starts.push_back(row);
            room = printableHeight - m_headerHeight;
            used = 0;
        }
        used += height;
    }
    return starts;
}

QVector<GridReportLayout::Page> GridReportLayout::paginate(const QSizeF &printable) const
{
    const std::vector<int> bands = columnBandStarts(printable.width());
    const std::vector<int> strips = rowStripStarts(printable.height());
    QVector<Page> pages;
    pages.reserve(int(bands.size() * strips.size()));
    for (size_t strip = 0; strip < strips.size(); ++strip) {
        for (size_t band = 0; band < bands.size(); ++band) {
            Page page;
            page.strip = int(strip);
            page.band = int(band);
            page.firstRow = strips[strip];
            page.endRow = strip + 1 < strips.size() ? strips[strip + 1] : m_table.rowCount();
            page.firstColumn = bands[band];
            page.endColumn = band + 1 < bands.size() ? bands[band + 1] : m_table.columnCount();
            page.showsTitle = strip == 0 && band == 0;
            pages << page;
        }
    }
    return pages;
}

void GridReportLayout::paintTitle(QPainter &painter, qreal printableWidth) const
{
    const qreal width = pixelsFromMillimetres(kTitleWidthMm);
    const QRectF box((printableWidth - width) / 2, 0, width, pixelsFromMillimetres(kTitleHeightMm));
    painter.setFont(m_titleFont);
    painter.setPen(Qt::black);
    // A title longer than its box is not cut off.
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, m_table.title());
}

void GridReportLayout::paintText(QPainter &painter, const QRectF &cellRect, const QString &text,
                                 Qt::Alignment alignment, bool wraps) const
{
    if (text.isEmpty())
        return;
    const QRectF inner = cellRect.adjusted(kCellGap, kCellGap, -kCellGap - kFrameWidth, -kCellGap - kFrameWidth);
    if (wraps)
        painter.drawText(inner, text, wrappingOption(alignment));
    else
        painter.drawText(inner, int(alignment) | Qt::TextSingleLine | Qt::TextDontClip, text);
}

void GridReportLayout::paintPage(QPainter &painter, const Page &page, const QSizeF &printable) const
{
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), printable));
    if (page.showsTitle)
        paintTitle(painter, printable.width());

    // Column edges across the page and row edges down it.
    std::vector<qreal> xs{0, m_rowHeaderWidth};
    for (int column = page.firstColumn; column < page.endColumn; ++column)
        xs.push_back(xs.back() + m_columnWidths[size_t(column)]);
    std::vector<qreal> ys{page.strip == 0 ? m_titleBandHeight : 0};
    ys.push_back(ys.back() + m_headerHeight);
    for (int row = page.firstRow; row < page.endRow; ++row)
        ys.push_back(ys.back() + m_rowHeights[size_t(row)]);
    const qreal left = xs.front();
    const qreal right = xs.back();
    const qreal top = ys.front();
    const qreal bottom = ys.back();

    painter.fillRect(QRectF(left, top, right - left, ys[1] - top), kHeaderBackground);
    painter.fillRect(QRectF(left, ys[1], m_rowHeaderWidth, bottom - ys[1]), kHeaderBackground);

    painter.setFont(m_cellFont);
    painter.setPen(Qt::black);
    for (int column = page.firstColumn; column < page.endColumn; ++column) {
        const size_t x = size_t(column - page.firstColumn) + 1;
        const QRectF cell(xs[x], ys[0], xs[x + 1] - xs[x], ys[1] - ys[0]);
        paintText(painter, cell, m_table.column(column).label, Qt::AlignLeft | Qt::AlignVCenter,
                  m_wrappedCells.contains(cellKey(-1, column)));
    }
    for (int row = page.firstRow; row < page.endRow; ++row) {
        const size_t y = size_t(row - page.firstRow) + 1;
        const qreal height = ys[y + 1] - ys[y];
        paintText(painter, QRectF(xs[0], ys[y], m_rowHeaderWidth, height),
                  QString::number(GridReportTable::recordNumber(row)), Qt::AlignCenter, false);
        for (int column = page.firstColumn; column < page.endColumn; ++column) {
            const size_t x = size_t(column - page.firstColumn) + 1;
            paintText(painter, QRectF(xs[x], ys[y], xs[x + 1] - xs[x], height), m_table.cell(row, column).text,
                      alignment(row, column), m_wrappedCells.contains(cellKey(row, column)));
        }
    }

    // Every cell is framed on all four sides.
    QPen frame(Qt::black);
    frame.setWidthF(kFrameWidth);
    painter.setPen(frame);
    for (qreal y : ys)
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    for (qreal x : xs)
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    painter.restore();
}

int GridReportLayout::render(QPagedPaintDevice &device) const
{
    const QSizeF printable = printableSize(device.pageLayout());
    const QVector<Page> pages = paginate(printable);
    QPainter painter;
    if (!painter.begin(&device))
        throw AppError(QStringLiteral("Sayfalar çizilemedi: yazıcı ya da dosya açılamadı."));
    painter.scale(device.logicalDpiX() / kPixelsPerInch, device.logicalDpiY() / kPixelsPerInch);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            throw AppError(QStringLiteral("Sayfalar çizilemedi: yeni sayfa açılamadı."));
        paintPage(painter, pages[i], printable);
    }
    painter.end();
    return int(pages.size());
}
