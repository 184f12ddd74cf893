#include "CMailDlg.h"

#include "CCardData.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The row's card texts travel in the item, so a drag to another list carries them along.
constexpr int NameRole = Qt::UserRole;
constexpr int CompanyRole = Qt::UserRole + 1;
constexpr int DepartmentRole = Qt::UserRole + 2;
const char *const ListNames[3] = {"To", "Cc", "Bcc"};
} // namespace

CMailDlg::CMailDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("メール送信先"));
    setModal(false);
    auto *grid = new QGridLayout;
    for (int l = 0; l < 3; ++l) {
        auto *list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setDragDropMode(QAbstractItemView::DragDrop);
        list->setDefaultDropAction(Qt::MoveAction);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, l](const QPoint &pos) { ShowMenu(List(l), pos); });
        m_lists[l] = list;
        grid->addWidget(new QLabel(QString::fromLatin1(ListNames[l]), this), 0, l);
        grid->addWidget(list, 1, l);
    }
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *compose = buttons->addButton(QStringLiteral("メール作成"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(compose, &QPushButton::clicked, this, &CMailDlg::Compose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(560, 300);
}

void CMailDlg::AddCards(List list, const QList<CCardData *> &cards)
{
    for (const CCardData *card : cards) {
        if (!card || card->Mail(0).isEmpty())
            continue;
        auto *item = new QListWidgetItem(card->Mail(0), m_lists[list]);
        item->setData(NameRole, card->Name());
        item->setData(CompanyRole, card->Company());
        item->setData(DepartmentRole, card->Department());
    }
}

QList<CMailDlg::Recipient> CMailDlg::Recipients(List list) const
{
    QList<Recipient> rows;
    for (int r = 0; r < m_lists[list]->count(); ++r) {
        const QListWidgetItem *item = m_lists[list]->item(r);
        rows.append(Recipient{item->text(), item->data(NameRole).toString(),
                              item->data(CompanyRole).toString(), item->data(DepartmentRole).toString()});
    }
    return rows;
}

void CMailDlg::MoveSelected(List from, List to)
{
    if (from == to)
        return;
    QListWidget *source = m_lists[from];
    for (int r = 0; r < source->count();) {
        if (source->item(r)->isSelected()) {
            QListWidgetItem *item = source->takeItem(r);
            item->setSelected(false);
            m_lists[to]->addItem(item);
        } else {
            ++r;
        }
    }
}

void CMailDlg::RemoveSelected(List from)
{
    qDeleteAll(m_lists[from]->selectedItems());
}

void CMailDlg::Compose()
{
    const QList<Recipient> to = Recipients(To);
    const QList<Recipient> cc = Recipients(Cc);
    const QList<Recipient> bcc = Recipients(Bcc);
    for (QListWidget *list : m_lists)
        list->clear();
    emit ComposeRequested(to, cc, bcc);
    accept();
}

void CMailDlg::ShowMenu(List list, const QPoint &pos)
{
    if (m_lists[list]->selectedItems().isEmpty())
        return;
    QMenu menu(this);
    const char *const moves[3] = {"Toに移動", "Ccに移動", "Bccに移動"};
    for (int target = 0; target < 3; ++target) {
        if (target != list)
            menu.addAction(QString::fromUtf8(moves[target]), this,
                           [this, list, target] { MoveSelected(list, List(target)); });
    }
    menu.addAction(QStringLiteral("削除"), this, [this, list] { RemoveSelected(list); });
    menu.exec(m_lists[list]->viewport()->mapToGlobal(pos));
}
