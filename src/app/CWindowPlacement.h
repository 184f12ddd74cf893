#pragma once

#include "WindowPlacement.h"

#include <QRect>

class QWidget;

// Moves the main window's placement between the window and its stored form.
class CWindowPlacement
{
public:
    enum ShowState
    {
        ShowNormal = 1,
        ShowMinimized = 2,
        ShowMaximized = 3
    };
    static constexpr int RestoreToMaximized = 2; // flag: a minimised window comes back maximised
    static constexpr int RecordLength = 44;

    // A minimised window is stored maximised when it would come back maximised, else normal.
    static WindowPlacement FromWindow(const QWidget &window);
    // An empty normal rectangle gives the default placement: the work area inset by
    // 100 pixels left and right and 20 pixels top and bottom.
    static void Apply(QWidget &window, const WindowPlacement &placement);
    static QRect DefaultGeometry(const QRect &workArea);
    static bool OpensMaximized(const WindowPlacement &placement);
};
