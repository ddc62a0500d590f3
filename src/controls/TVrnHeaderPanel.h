#pragma once
#include "controls/TVrnCustomHeaderPanel.h"

class QLabel;

// The header strip with its title: the label LabelCap stands beside the icon (left at the icon
// width + 10) or, without an icon, at left 5, vertically centred, and sizes itself to its text.
class TVrnHeaderPanel : public TVrnCustomHeaderPanel {
    Q_OBJECT
public:
    explicit TVrnHeaderPanel(QWidget *parent = nullptr);

    QLabel *LabelCap() const { return m_label; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void placeLabel();

    QLabel *m_label;
};
