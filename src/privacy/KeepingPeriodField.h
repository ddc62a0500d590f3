#pragma once

class QGridLayout;
class QLineEdit;
class QWidget;

// The settings window's line for the keeping period of personal data: a caption over an edit
// for whole years and a note that an empty edit keeps the data for ever. The settings window
// binds the edit to AYAR.SAKLAMASURESI like its other fields.
class KeepingPeriodField {
public:
    static constexpr const char *kCaption = "Kişisel verileri saklama süresi (yıl)";

    // Adds the line to the grid from `row` on (it takes two rows) and returns the edit.
    static QLineEdit *addTo(QGridLayout &grid, int row, QWidget *area);
};
