#include "CListColumnDlg.h"

#include "OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CListColumnDlg::CListColumnDlg(const QStringList &titles, const QList<int> &order, QWidget *parent)
    : QDialog(parent), m_list(new QListWidget)
{
    setWindowTitle(QString::fromUtf8("表示項目並べ替え"));
    for (int column : order) {
        auto *item = new QListWidgetItem(titles.value(column), m_list);
        item->setData(Qt::UserRole, column);
    }
    m_list->setCurrentRow(0);
    auto *up = new QPushButton(QString::fromUtf8("▲"));
    auto *down = new QPushButton(QString::fromUtf8("▼"));
    connect(up, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    auto *buttons = OkCancelButtons(this);
    auto *side = new QVBoxLayout;
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

void CListColumnDlg::MoveSelected(int delta)
{
    const int row = m_list->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    QListWidgetItem *item = m_list->takeItem(row);
    m_list->insertItem(target, item);
    m_list->setCurrentRow(target);
}

QList<int> CListColumnDlg::Order() const
{
    QList<int> order;
    for (int i = 0; i < m_list->count(); ++i)
        order.append(m_list->item(i)->data(Qt::UserRole).toInt());
    return order;
}
