#include "CEditGroupDlg.h"

#include "CCardStore.h"
#include "CEditLimitDelegate.h"
#include "CGroupIconDlg.h"
#include "GroupIcons.h"
#include "OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int NameRole = Qt::UserRole;     // the last accepted name
constexpr int IconRole = Qt::UserRole + 1; // icon number
} // namespace

CEditGroupDlg::CEditGroupDlg(CCardStore *store, QWidget *parent)
    : QDialog(parent), m_store(store), m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("グループ名編集"));
    m_list->setItemDelegate(new CEditLimitDelegate(MaxNameLength, m_list));
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    // Group 0 stands for "no group" and is neither shown nor changed here.
    for (int n = 1; n < CCardStore::GroupCount(); ++n) {
        const int icon = store->GetGroupIcon(n);
        auto *item = new QListWidgetItem(GroupIcons::Icon(icon), store->GetGroupName(n), m_list);
        item->setData(NameRole, item->text());
        item->setData(IconRole, icon);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemChanged, this, &CEditGroupDlg::OnItemChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditGroupDlg::EditName);

    auto *rename = new QPushButton(QStringLiteral("グループ名編集"), this);
    auto *icon = new QPushButton(QStringLiteral("アイコン変更"), this);
    connect(rename, &QPushButton::clicked, this, &CEditGroupDlg::EditName);
    connect(icon, &QPushButton::clicked, this, &CEditGroupDlg::ChangeIcon);
    auto *side = new QVBoxLayout;
    side->addWidget(rename);
    side->addWidget(icon);
    side->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);

    auto *buttons = OkCancelButtons(this, [this] { Apply(); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    resize(360, 380);
}

void CEditGroupDlg::EditName()
{
    if (QListWidgetItem *item = m_list->currentItem())
        m_list->editItem(item);
}

void CEditGroupDlg::OnItemChanged(QListWidgetItem *item)
{
    const QString name = item->text().left(MaxNameLength);
    const QSignalBlocker block(m_list);
    if (name.isEmpty()) {
        item->setText(item->data(NameRole).toString()); // an empty name is refused
        return;
    }
    item->setText(name);
    item->setData(NameRole, name);
}

void CEditGroupDlg::ChangeIcon()
{
    QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    CGroupIconDlg dialog(item->data(IconRole).toInt(), this);
    if (dialog.exec() == QDialog::Accepted)
        SetIcon(dialog.Chosen());
}

void CEditGroupDlg::SetIcon(int icon)
{
    QListWidgetItem *item = m_list->currentItem();
    if (!item || icon < 1 || icon > GroupIcons::Count)
        return;
    const QSignalBlocker block(m_list);
    item->setData(IconRole, icon);
    item->setIcon(GroupIcons::Icon(icon));
}

void CEditGroupDlg::Apply()
{
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem *item = m_list->item(row);
        m_store->SetGroupName(row + 1, item->data(NameRole).toString());
        m_store->SetGroupIcon(row + 1, item->data(IconRole).toInt());
    }
}
