#include "CEditKindDelegate.h"

#include <QComboBox>

CEditKindDelegate::CEditKindDelegate(const QStringList &kindNames, QObject *parent)
    : QStyledItemDelegate(parent), m_kindNames(kindNames)
{
}

QWidget *CEditKindDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.column() != 0)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *combo = new QComboBox(parent);
    combo->addItems(m_kindNames);
    // Choosing a kind ends the row's editing at once.
    connect(combo, &QComboBox::activated, this, [this, combo] {
        auto *self = const_cast<CEditKindDelegate *>(this);
        emit self->commitData(combo);
        emit self->closeEditor(combo);
    });
    return combo;
}

void CEditKindDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(qMax(0, m_kindNames.indexOf(index.data().toString())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CEditKindDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
