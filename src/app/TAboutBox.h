#pragma once
#include <QDialog>

// "Hakkında": the program's name, version and what it is for.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};
