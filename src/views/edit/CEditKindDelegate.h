#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

// In-place editors of the phone and e-mail rows: a drop-down list of the kind
// names in column 0, a text box in column 1.
class CEditKindDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    CEditKindDelegate(const QStringList &kindNames, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    QStringList m_kindNames;
};
