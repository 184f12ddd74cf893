#pragma once

#include <QStyledItemDelegate>

// An in-place text editor that takes at most a given number of characters.
class CEditLimitDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    CEditLimitDelegate(int maxLength, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

private:
    int m_maxLength;
};
