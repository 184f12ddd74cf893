#include "CSplashWnd.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

CSplashWnd::CSplashWnd(QWidget *parent, int showMs)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_picture(Picture())
{
    setFixedSize(m_picture.size());
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(showMs, this, &QDialog::accept);
}

QPixmap CSplashWnd::Picture()
{
    QPixmap pixmap(420, 240);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(120, 160, 230));
    sky.setColorAt(1, QColor(210, 226, 252));
    p.fillRect(pixmap.rect(), sky);
    // Two stacked cards.
    p.setPen(QPen(QColor(90, 110, 150), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(40, 70, 150, 92), 4, 4);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(56, 84, 150, 92), 4, 4);
    p.setPen(QPen(QColor(170, 180, 200), 3));
    for (int i = 0; i < 3; ++i)
        p.drawLine(72, 110 + i * 18, 150 - i * 20, 110 + i * 18);
    QFont title = p.font();
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(220, 70, 190, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessaly"));
    QFont sub = p.font();
    sub.setPixelSize(20);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(30, 50, 90));
    p.drawText(QRect(222, 122, 190, 30), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("名刺管理"));
    return pixmap;
}

void CSplashWnd::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_picture);
}
