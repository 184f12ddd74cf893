#include "GroupIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {
// Five shapes in four colours make twenty icons that stay apart at 16 pixels.
const QColor Colors[4] = {QColor(0x2f, 0x6f, 0xd6), QColor(0xd6, 0x3a, 0x2f), QColor(0x2f, 0xa0, 0x4a),
                          QColor(0xe0, 0x9a, 0x10)};

QPolygonF Star(const QRectF &r)
{
    QPolygonF star;
    const QPointF c = r.center();
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? r.width() / 2 : r.width() / 5;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle));
    }
    return star;
}
} // namespace

QPixmap GroupIcons::Pixmap(int number)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    if (number < 1 || number > Count)
        return pixmap;
    const int shape = (number - 1) / 4;
    const QColor color = Colors[(number - 1) % 4];
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(150), 1));
    painter.setBrush(color);
    const QRectF r(1.5, 1.5, Side - 3, Side - 3);
    switch (shape) {
    case 0:
        painter.drawEllipse(r);
        break;
    case 1:
        painter.drawRoundedRect(r, 2, 2);
        break;
    case 2:
        painter.drawPolygon(QPolygonF{{r.center().x(), r.top()},
                                      {r.right(), r.center().y()},
                                      {r.center().x(), r.bottom()},
                                      {r.left(), r.center().y()}});
        break;
    case 3:
        painter.drawPolygon(
            QPolygonF{{r.center().x(), r.top()}, {r.right(), r.bottom()}, {r.left(), r.bottom()}});
        break;
    default:
        painter.drawPolygon(Star(r));
        break;
    }
    return pixmap;
}

QIcon GroupIcons::Icon(int number)
{
    return QIcon(Pixmap(number));
}
