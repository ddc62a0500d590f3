#include "forms/TFrameBase.h"

TFrameBase::TFrameBase(QWidget *parent) : QWidget(parent) { resize(320, 240); }
