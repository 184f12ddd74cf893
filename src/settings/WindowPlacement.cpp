#include "WindowPlacement.h"

QList<int> WindowPlacement::Numbers() const
{
    return {length, flags, showCmd, maxX, maxY, minX, minY, normalLeft, normalTop, normalRight, normalBottom};
}

void WindowPlacement::SetNumbers(const QList<int> &n)
{
    if (n.size() != NumberCount)
        return;
    length = n[0];
    flags = n[1];
    showCmd = n[2];
    maxX = n[3];
    maxY = n[4];
    minX = n[5];
    minY = n[6];
    normalLeft = n[7];
    normalTop = n[8];
    normalRight = n[9];
    normalBottom = n[10];
}
