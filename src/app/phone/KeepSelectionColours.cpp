#include "KeepSelectionColours.h"

#include <QPalette>
#include <QWidget>

void KeepSelectionColours(QWidget *view)
{
    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);
}
