#pragma once

#include <QProxyStyle>

// The program's widget style: Fusion, which follows the skin palette on every desktop, with
// a focus ring that shows on buttons and check boxes whichever way they got the focus, and
// the header's sort arrow pointing up for an ascending sort.
class CSkinStyle : public QProxyStyle
{
    Q_OBJECT
public:
    CSkinStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
