#pragma once
#include "data/GridReportTable.h"

#include <QFont>
#include <QPageLayout>
#include <QSet>
#include <QSizeF>
#include <QVector>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// The printed page of a grid print: an A4 landscape page with 10 mm margins, the title centred
// at the top of the first page, below it the table: a header row of display labels, one row per
// record headed by its record number, every cell framed, long texts wrapped inside their cell.
// A table too wide or too long for one page continues on further pages, across first, then
// down; the header row and the record numbers repeat on every page and a row is never split.
//
// Everything is measured once, in report pixels (1/96 inch, the unit the fonts' pixel heights
// are given in); the pages are cut for whatever page the device has (the preview's page setup
// may change it) and painted by scaling report pixels to the device's resolution, so the
// preview, the printer and the PDF show the same pages.
class GridReportLayout {
public:
    static constexpr qreal kPixelsPerInch = 96;
    static constexpr qreal kCellGap = 3;
    // Wider texts wrap inside their cell.
    static constexpr qreal kMaxColumnWidth = 200;
    static constexpr qreal kMinColumnWidth = 16;

    // One printed page: a band of columns (counted across) of a strip of rows (counted down).
    struct Page {
        int strip = 0;
        int band = 0;
        int firstRow = 0;
        int endRow = 0;
        int firstColumn = 0;
        int endColumn = 0;
        bool showsTitle = false;
    };

    // The table must outlive the layout.
    explicit GridReportLayout(const GridReportTable &table);

    // A4 landscape, 10 mm margins on all four sides.
    static QPageLayout defaultPageLayout();
    // The area inside the margins, in report pixels.
    static QSizeF printableSize(const QPageLayout &pageLayout);

    const GridReportTable &table() const { return m_table; }
    static QFont titleFont();
    static QFont cellFont();

    qreal titleBandHeight() const { return m_titleBandHeight; }
    qreal headerHeight() const { return m_headerHeight; }
    qreal rowHeaderWidth() const { return m_rowHeaderWidth; }
    qreal columnWidth(int column) const { return m_columnWidths.at(size_t(column)); }
    qreal rowHeight(int row) const { return m_rowHeights.at(size_t(row)); }
    // Horizontal and vertical alignment of a cell's text: numbers right, the rest left.
    Qt::Alignment alignment(int row, int column) const;

    // Pages in printing order: all column bands of the first strip of rows, then of the next.
    QVector<Page> paginate(const QSizeF &printable) const;
    void paintPage(QPainter &painter, const Page &page, const QSizeF &printable) const;
    // Paints every page onto a printer, the preview's printer or a PDF writer, cut for the
    // device's page layout. Returns the number of pages. Throws AppError when the device cannot
    // be painted on.
    int render(QPagedPaintDevice &device) const;

private:
    void measure();
    qreal textHeight(const QString &text, qreal innerWidth) const;
    std::vector<int> columnBandStarts(qreal printableWidth) const;
    std::vector<int> rowStripStarts(qreal printableHeight) const;
    void paintTitle(QPainter &painter, qreal printableWidth) const;
    void paintText(QPainter &painter, const QRectF &cellRect, const QString &text, Qt::Alignment alignment,
                   bool wraps) const;
    static quint64 cellKey(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

    const GridReportTable &m_table;
    QFont m_cellFont;
    QFont m_titleFont;
    qreal m_lineHeight = 0;
    qreal m_titleBandHeight = 0;
    qreal m_headerHeight = 0;
    qreal m_rowHeaderWidth = 0;
    std::vector<qreal> m_columnWidths;
    std::vector<qreal> m_rowHeights;
    // Cells whose text is wider than their column and wraps; row -1 is the header row.
    QSet<quint64> m_wrappedCells;
};
