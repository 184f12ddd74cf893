#pragma once

#include <QList>

// The main window's placement as stored in the settings: eleven numbers.
struct WindowPlacement
{
    static constexpr int NumberCount = 11;

    int length = 0; // record length; 0 in a placement that was never stored
    int flags = 0;
    int showCmd = 0; // show state
    int maxX = 0;    // maximised position
    int maxY = 0;
    int minX = 0; // minimised position
    int minY = 0;
    int normalLeft = 0; // normal (restored) rectangle
    int normalTop = 0;
    int normalRight = 0;
    int normalBottom = 0;

    // An empty normal rectangle means "no stored placement: use the default".
    bool HasNormalRect() const { return normalRight > normalLeft && normalBottom > normalTop; }

    QList<int> Numbers() const;
    void SetNumbers(const QList<int> &numbers); // expects NumberCount values

    bool operator==(const WindowPlacement &other) const = default;
};
