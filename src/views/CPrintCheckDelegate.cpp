#include "CPrintCheckDelegate.h"

#include "CCardListModel.h"

#include <QMouseEvent>
#include <QPainter>

QRect CPrintCheckDelegate::BoxRect(const QRect &cell)
{
    int side = cell.height() - 4;
    while (side > 1 && side % 3 != 1)
        --side;
    side = qMax(side, 1);
    return QRect(cell.left() + (cell.width() - side) / 2, cell.top() + (cell.height() - side) / 2, side,
                 side);
}

void CPrintCheckDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem background(option);
    initStyleOption(&background, index);
    background.text.clear();
    QStyledItemDelegate::paint(painter, background, index);

    const QRect box = BoxRect(option.rect);
    painter->save();
    painter->setPen(QPen(Qt::black, 1));
    painter->setBrush(Qt::white);
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    if (index.data(CCardListModel::PrintRole).toBool()) {
        // A check mark: short stroke down-right, long stroke up-right.
        const qreal s = box.width();
        const QPointF o = box.topLeft();
        const QPointF mark[3] = {o + QPointF(s * 0.22, s * 0.50), o + QPointF(s * 0.42, s * 0.72),
                                 o + QPointF(s * 0.78, s * 0.28)};
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(Qt::black, qMax<qreal>(1.5, s / 7.0)));
        painter->drawPolyline(mark, 3);
    }
    painter->restore();
}

bool CPrintCheckDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                      const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && BoxRect(option.rect).contains(mouse->position().toPoint())) {
            emit ToggleRequested(index.row());
            return false; // let the click select the row as well
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
