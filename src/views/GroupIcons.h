#pragma once

#include <QIcon>
#include <QPixmap>

// The 20 small group icons (numbers 1–20; 0 = no icon), drawn in code.
class GroupIcons
{
public:
    static constexpr int Count = 20;
    static constexpr int Side = 16;

    // A transparent pixmap for 0 or a number outside 1–20.
    static QPixmap Pixmap(int number);
    static QIcon Icon(int number);
};
