#pragma once

#include <QSpinBox>

// A page number field of the print range: a spin box whose text the range
// rules rewrite while it is typed.
class CPageSpin : public QSpinBox
{
    Q_OBJECT

public:
    using QSpinBox::lineEdit;
    using QSpinBox::QSpinBox;
};
