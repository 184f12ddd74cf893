#pragma once

#include <QStyledItemDelegate>

// Draws the 印刷 column as a square check box and toggles the card's Print mark
// on a single click inside the box (a click elsewhere in the cell only selects).
class CPrintCheckDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Side = cell height − 4, shortened so that side % 3 == 1; centred in the cell.
    static QRect BoxRect(const QRect &cell);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

signals:
    void ToggleRequested(int item);
};
