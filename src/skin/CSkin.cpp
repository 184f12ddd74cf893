#include "CSkin.h"

#include <QApplication>

namespace {
QColor Mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() * (1 - t) + b.redF() * t, a.greenF() * (1 - t) + b.greenF() * t,
                            a.blueF() * (1 - t) + b.blueF() * t);
}
} // namespace

QPalette CSkin::MakePalette(const QColor &theme)
{
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    // A very dark custom colour would make dark text unreadable on buttons: lighten the surfaces.
    const QColor surface = Mix(theme, white, theme.lightnessF() < 0.45 ? 0.75 : 0.55);
    const QColor button = Mix(theme, white, theme.lightnessF() < 0.45 ? 0.6 : 0.3);
    const QColor highlight = Mix(theme, black, 0.45);

    QPalette p;
    p.setColor(QPalette::Window, surface);
    p.setColor(QPalette::WindowText, black);
    p.setColor(QPalette::Base, white);
    p.setColor(QPalette::AlternateBase, Mix(theme, white, 0.85));
    p.setColor(QPalette::Text, black);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, black);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, white);
    p.setColor(QPalette::ToolTipBase, Mix(theme, white, 0.8));
    p.setColor(QPalette::ToolTipText, black);
    p.setColor(QPalette::Light, Mix(theme, white, 0.8));
    p.setColor(QPalette::Midlight, Mix(theme, white, 0.5));
    p.setColor(QPalette::Mid, Mix(theme, black, 0.25));
    p.setColor(QPalette::Dark, Mix(theme, black, 0.5));
    p.setColor(QPalette::Shadow, Mix(theme, black, 0.7));
    p.setColor(QPalette::Inactive, QPalette::Highlight, Mix(theme, white, 0.2));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, Mix(surface, black, 0.45));
    p.setColor(QPalette::Disabled, QPalette::Text, Mix(white, black, 0.45));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, Mix(button, black, 0.45));
    return p;
}

void CSkin::Apply(const QColor &theme)
{
    QApplication::setPalette(MakePalette(theme));
}
