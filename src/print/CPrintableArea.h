#pragma once

#include <QMargins>

// What a printer can print on its paper, in 0.1 mm: the physical paper size,
// the offset of the printable area from the paper's top-left corner and the
// printable size. Used to check the margins chosen in the print dialog.
struct CPrintableArea
{
    int paperWidth = 0;      // W
    int paperHeight = 0;     // H
    int offsetX = 0;         // Ox
    int offsetY = 0;         // Oy
    int printableWidth = 0;  // Wp
    int printableHeight = 0; // Hp

    // 0 = acceptable; 1 left, 2 right, 3 top, 4 bottom margin inside the
    // unprintable strip; 5 left, 6 right, 7 top, 8 bottom margin larger than
    // the paper allows. When several margins are wrong the code of the last
    // test wins (bottom, right, left, top).
    int CheckMargins(const QMargins &margins) const;

    // Raises each margin to at least the unprintable strip on its side.
    QMargins ClampMargins(const QMargins &margins) const;
};
