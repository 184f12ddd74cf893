#pragma once

#include <QColor>
#include <QPalette>

// The colour theme of every window, derived from the one theme colour chosen in the options.
class CSkin
{
public:
    // A palette whose window, button and highlight colours derive from the theme colour;
    // text stays dark on light surfaces so every theme remains readable.
    static QPalette MakePalette(const QColor &theme);
    // Applies the theme to the whole program at once (every open window repaints).
    static void Apply(const QColor &theme);
};
