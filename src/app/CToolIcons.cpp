#include "CToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
void DrawCard(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(60, 80, 120), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(QPen(QColor(140, 150, 170), 1.2));
    p.drawLine(QPointF(r.left() + 3, r.top() + r.height() * 0.4),
               QPointF(r.right() - 6, r.top() + r.height() * 0.4));
    p.drawLine(QPointF(r.left() + 3, r.top() + r.height() * 0.7),
               QPointF(r.right() - 9, r.top() + r.height() * 0.7));
}

void Draw(QPainter &p, CToolIcons::Kind kind)
{
    const QColor blue(50, 100, 190);
    switch (kind) {
    case CToolIcons::AppIcon:
        p.setBrush(QColor(120, 160, 230));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
        DrawCard(p, QRectF(4, 7, 20, 13));
        DrawCard(p, QRectF(8, 13, 20, 13));
        break;
    case CToolIcons::NewCard:
        DrawCard(p, QRectF(2, 8, 24, 16));
        p.setPen(QPen(QColor(30, 150, 60), 3));
        p.drawLine(QPointF(24, 2), QPointF(24, 12));
        p.drawLine(QPointF(19, 7), QPointF(29, 7));
        break;
    case CToolIcons::OpenFile: {
        p.setPen(QPen(QColor(150, 110, 20), 1.2));
        p.setBrush(QColor(245, 200, 90));
        QPainterPath folder;
        folder.moveTo(3, 9);
        folder.lineTo(11, 9);
        folder.lineTo(13, 12);
        folder.lineTo(28, 12);
        folder.lineTo(28, 26);
        folder.lineTo(3, 26);
        folder.closeSubpath();
        p.drawPath(folder);
        break;
    }
    case CToolIcons::Print:
        p.setPen(QPen(QColor(70, 70, 70), 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 9));
        break;
    case CToolIcons::Search:
        p.setPen(QPen(blue, 3));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.drawLine(QPointF(19, 19), QPointF(28, 28));
        break;
    case CToolIcons::ListMode:
        p.setPen(QPen(blue, 2.5));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(5, 7 + i * 6), QPointF(27, 7 + i * 6));
        break;
    case CToolIcons::ThumbnailMode:
        p.setPen(QPen(blue, 1.2));
        p.setBrush(QColor(200, 215, 245));
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(4 + (i % 2) * 13, 4 + (i / 2) * 13, 11, 11));
        break;
    case CToolIcons::MapSearch: {
        p.setPen(QPen(QColor(170, 40, 40), 1.2));
        p.setBrush(QColor(220, 60, 60));
        QPainterPath pin;
        pin.addEllipse(QPointF(16, 12), 8, 8);
        pin.moveTo(9, 15);
        pin.lineTo(16, 29);
        pin.lineTo(23, 15);
        p.drawPath(pin.simplified());
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 12), 3, 3);
        break;
    }
    case CToolIcons::Backup:
        DrawCard(p, QRectF(2, 4, 20, 14));
        DrawCard(p, QRectF(9, 13, 20, 14));
        break;
    case CToolIcons::Help:
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setPen(Qt::white);
        {
            QFont f = p.font();
            f.setPixelSize(20);
            f.setBold(true);
            p.setFont(f);
        }
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case CToolIcons::Phone:
        // A handset with its screen and keys, and the cable to the computer.
        p.setPen(QPen(QColor(60, 60, 70), 1.2));
        p.setBrush(QColor(90, 100, 120));
        p.drawRoundedRect(QRectF(9, 2, 14, 26), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 210, 250));
        p.drawRect(QRectF(11, 5, 10, 9));
        p.setBrush(QColor(230, 230, 235));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(11.5 + col * 3.3, 16 + row * 3.3, 2.3, 2.3));
        p.setPen(QPen(blue, 2));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(16, 28), QPointF(16, 31));
        break;
    }
}
} // namespace

QIcon CToolIcons::Make(Kind kind)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, kind);
    p.end();
    return QIcon(pixmap);
}
