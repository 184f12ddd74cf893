#include "CWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

WindowPlacement CWindowPlacement::FromWindow(const QWidget &window)
{
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const Qt::WindowStates state = window.windowState();
    const bool maximized = state & Qt::WindowMaximized;
    WindowPlacement p;
    p.length = RecordLength;
    p.showCmd = maximized ? ShowMaximized : ShowNormal;
    if ((state & Qt::WindowMinimized) && maximized)
        p.flags = RestoreToMaximized;
    p.maxX = p.maxY = p.minX = p.minY = -1;
    p.normalLeft = normal.left();
    p.normalTop = normal.top();
    p.normalRight = normal.right() + 1;
    p.normalBottom = normal.bottom() + 1;
    return p;
}

bool CWindowPlacement::OpensMaximized(const WindowPlacement &p)
{
    return p.showCmd == ShowMaximized || (p.showCmd == ShowMinimized && (p.flags & RestoreToMaximized));
}

QRect CWindowPlacement::DefaultGeometry(const QRect &workArea)
{
    return workArea.adjusted(100, 20, -100, -20);
}

void CWindowPlacement::Apply(QWidget &window, const WindowPlacement &p)
{
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!p.HasNormalRect()) {
        window.setGeometry(DefaultGeometry(work));
        return;
    }
    QRect normal(QPoint(p.normalLeft, p.normalTop), QPoint(p.normalRight - 1, p.normalBottom - 1));
    // A placement from a screen that is gone would put the window out of reach.
    if (!work.intersects(normal))
        normal.moveTopLeft(work.topLeft());
    window.setGeometry(normal);
    if (OpensMaximized(p))
        window.setWindowState(Qt::WindowMaximized);
}
