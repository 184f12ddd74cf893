#include "CEditLimitDelegate.h"

#include <QLineEdit>

CEditLimitDelegate::CEditLimitDelegate(int maxLength, QObject *parent)
    : QStyledItemDelegate(parent), m_maxLength(maxLength)
{
}

QWidget *CEditLimitDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setMaxLength(m_maxLength);
    return editor;
}
