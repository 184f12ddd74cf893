#include "CGroupIconDlg.h"

#include "GroupIcons.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CGroupIconDlg::CGroupIconDlg(int current, QWidget *parent)
    : QDialog(parent), m_initial(current), m_grid(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("グループアイコン選択"));
    m_grid->setViewMode(QListView::IconMode);
    m_grid->setIconSize(QSize(GroupIcons::Side * 2, GroupIcons::Side * 2));
    m_grid->setGridSize(QSize(44, 44));
    m_grid->setMovement(QListView::Static);
    m_grid->setResizeMode(QListView::Adjust);
    m_grid->setFixedSize(5 * 44 + 8, 4 * 44 + 8);
    for (int n = 1; n <= GroupIcons::Count; ++n) {
        auto *item = new QListWidgetItem(GroupIcons::Icon(n), QString(), m_grid);
        item->setData(Qt::UserRole, n);
        if (n == current)
            m_grid->setCurrentItem(item);
    }
    connect(m_grid, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
}

int CGroupIconDlg::Chosen() const
{
    const QListWidgetItem *item = m_grid->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : m_initial;
}
