#include "CSkinStyle.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace {
QColor RingColour(const QStyleOption *option)
{
    return option->palette.color(QPalette::Active, QPalette::Highlight);
}
} // namespace

CSkinStyle::CSkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void CSkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    if (element == PE_IndicatorHeaderArrow) {
        // Qt marks an ascending sort as SortDown, which Fusion draws pointing down.
        if (const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option)) {
            QStyleOptionHeader flipped = *header;
            if (header->sortIndicator == QStyleOptionHeader::SortDown)
                flipped.sortIndicator = QStyleOptionHeader::SortUp;
            else if (header->sortIndicator == QStyleOptionHeader::SortUp)
                flipped.sortIndicator = QStyleOptionHeader::SortDown;
            QProxyStyle::drawPrimitive(element, &flipped, painter, widget);
            return;
        }
    }
    if (element == PE_FrameFocusRect && qobject_cast<const QAbstractButton *>(widget)) {
        // Fusion shows it only after a Tab key; a push button gets its ring in drawControl.
        if (qobject_cast<const QPushButton *>(widget))
            return;
        painter->save();
        painter->setPen(QPen(RingColour(option), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CSkinStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus)) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(RingColour(option), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(2, 2, -2, -2), 2, 2);
        painter->restore();
    }
}
