#include "CThumbnailDelegate.h"

#include "CCardListModel.h"

#include <QApplication>
#include <QPainter>

CThumbnailDelegate::CThumbnailDelegate(QSize thumbnail, QObject *parent)
    : QStyledItemDelegate(parent), m_size(thumbnail)
{
}

QSize CThumbnailDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int line = option.fontMetrics.height();
    return QSize(qMax(m_size.width() + 16, 8 * option.fontMetrics.horizontalAdvance(QChar(0x3000))),
                 2 + m_size.height() + 3 + 2 * line + 4);
}

void CThumbnailDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const bool active = option.state & QStyle::State_Active;
    const QPalette &pal = option.palette;
    painter->save();
    QColor background = pal.color(QPalette::Base);
    QColor text = pal.color(QPalette::Text);
    if (selected) {
        background = pal.color(active ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
        text = pal.color(active ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText);
    }
    painter->fillRect(option.rect, background);

    const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
    const QRect r = option.rect;
    const QPoint pictureAt(r.left() + (r.width() - m_size.width()) / 2, r.top() + 2);
    painter->drawPixmap(pictureAt, picture);

    const QModelIndex nameIndex = index.siblingAtColumn(CCardListModel::ColName);
    const QModelIndex companyIndex = index.siblingAtColumn(CCardListModel::ColCompany);
    const QString name = nameIndex.data().toString();
    const QString company = companyIndex.data().toString();
    const QRect textArea(r.left() + 2, pictureAt.y() + m_size.height() + 3, r.width() - 4,
                         r.bottom() - (pictureAt.y() + m_size.height() + 3));
    painter->setPen(text);
    painter->setFont(option.font);
    const QFontMetrics fm(option.font);
    auto drawLine = [&](const QRect &area, const QString &s) {
        painter->drawText(area, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                          fm.elidedText(s, Qt::ElideRight, area.width()));
    };
    if (company.isEmpty()) {
        drawLine(textArea, name);
    } else {
        const int half = textArea.height() / 2;
        drawLine(QRect(textArea.left(), textArea.top(), textArea.width(), half), company);
        drawLine(QRect(textArea.left(), textArea.top() + half, textArea.width(), textArea.height() - half),
                 name);
    }
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.rect = r.adjusted(1, 1, -1, -1);
        focus.palette = pal;
        focus.backgroundColor = background;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->restore();
}
