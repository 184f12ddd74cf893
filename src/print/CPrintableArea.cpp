#include "CPrintableArea.h"

#include <algorithm>

int CPrintableArea::CheckMargins(const QMargins &m) const
{
    // In 64 bits: margins come from the settings file and may be any number.
    const qint64 W = paperWidth, H = paperHeight, Ox = offsetX, Oy = offsetY;
    const qint64 Wp = printableWidth, Hp = printableHeight;
    const qint64 L = m.left(), T = m.top(), R = m.right(), B = m.bottom();

    // Each later test overrides an earlier hit.
    int code = 0;
    if (B < H - Oy - Hp)
        code = 4;
    else if (B > H - T)
        code = 8;
    if (R < W - Wp - Ox)
        code = 2;
    else if (R > W - L)
        code = 6;
    if (L < Ox)
        code = 1;
    else if (L > W - R)
        code = 5;
    if (T < Oy)
        code = 3;
    else if (T > H - B)
        code = 7;
    return code;
}

QMargins CPrintableArea::ClampMargins(const QMargins &m) const
{
    return QMargins(std::max(m.left(), offsetX), std::max(m.top(), offsetY),
                    std::max(m.right(), paperWidth - printableWidth - offsetX),
                    std::max(m.bottom(), paperHeight - offsetY - printableHeight));
}
