#include "CEditKindDelegate.h"

#include "CEditKindBox.h"

CEditKindDelegate::CEditKindDelegate(const QStringList &kindNames, QObject *parent)
    : QStyledItemDelegate(parent), m_kindNames(kindNames)
{
}

QWidget *CEditKindDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.column() != 0)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *combo = new CEditKindBox(parent);
    combo->addItems(m_kindNames);
    // Picking a kind from the open list ends the row's editing at once; arrow keys only step,
    // and Enter ends it as in any cell editor.
    connect(combo, &CEditKindBox::Chosen, this, [this, combo] {
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
