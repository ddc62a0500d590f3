#pragma once
#include <QHeaderView>
#include <functional>

// The row indicator of a grid with multi-row selection: a check box in every row's header cell.
// A click (or a double click) in the cell asks for the row's tick to be turned over; whether a
// row is ticked is asked of the grid, which keeps the ticks.
class CheckIndicatorHeader : public QHeaderView {
    Q_OBJECT
public:
    using CheckedTest = std::function<bool(int row)>;

    explicit CheckIndicatorHeader(QWidget *parent = nullptr);

    void setCheckedTest(CheckedTest test);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void rowToggled(int row);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QSize indicatorSize() const;
    void toggleAt(const QPoint &position);

    CheckedTest m_isChecked;
};
