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
    // Five columns of four icons, all visible at once.
    constexpr int cell = 44;
    m_grid->setGridSize(QSize(cell, cell));
    m_grid->setMovement(QListView::Static);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The whole cell shows the selection, not just the empty caption below the icon.
    m_grid->setStyleSheet(QStringLiteral("QListWidget::item:selected { background: palette(highlight); }"));
    const int frame = 2 * m_grid->frameWidth() + 2 * m_grid->spacing() + 4;
    m_grid->setFixedSize(5 * cell + frame, 4 * cell + frame);
    for (int n = 1; n <= GroupIcons::Count; ++n) {
        auto *item = new QListWidgetItem(GroupIcons::Icon(n), QString(), m_grid);
        item->setData(Qt::UserRole, n);
        item->setSizeHint(QSize(cell - 4, cell - 4));
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
