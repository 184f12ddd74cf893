#pragma once

#include <QStyledItemDelegate>

// One thumbnail item: the picture 2 pixels below the top, then the company in the upper
// and the name in the lower half of the text area (the name alone when there is no company).
class CThumbnailDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CThumbnailDelegate(QSize thumbnail, QObject *parent = nullptr);
    void SetThumbnailSize(QSize size) { m_size = size; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QSize m_size;
};
