#include "CEditCheckListDlg.h"

#include "CCardStore.h"
#include "CEditLimitDelegate.h"
#include "IMessageBox.h"
#include "StoreError.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("チェックリスト項目編集");
} // namespace

CEditCheckListDlg::CEditCheckListDlg(CCardStore *store, IMessageBox *messages, QWidget *parent)
    : QDialog(parent), m_store(store), m_messages(messages), m_list(new QListWidget(this)),
      m_text(new QLineEdit(this))
{
    setWindowTitle(Caption);
    m_edited.Assign(store->GetCheckList());
    m_text->setMaxLength(MaxTextLength);
    m_list->setItemDelegate(new CEditLimitDelegate(MaxTextLength, m_list));
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QListWidget::itemChanged, this, &CEditCheckListDlg::OnItemChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditCheckListDlg::EditItem);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (CurrentPosition() < 0)
            return;
        QMenu menu(this);
        menu.addAction(QStringLiteral("編集(&E)"), this, &CEditCheckListDlg::EditItem);
        menu.addAction(QStringLiteral("削除(&D)"), this, &CEditCheckListDlg::DeleteItem);
        menu.exec(m_list->viewport()->mapToGlobal(pos));
    });
    m_text->installEventFilter(this);

    auto makeButton = [this](const QString &text, void (CEditCheckListDlg::*slot)()) {
        auto *button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    auto *grid = new QGridLayout;
    grid->addWidget(m_text, 0, 0);
    grid->addWidget(makeButton(QStringLiteral("追加"), &CEditCheckListDlg::AddItem), 0, 1);
    grid->addWidget(m_list, 1, 0, 7, 1);
    grid->addWidget(makeButton(QStringLiteral("編集"), &CEditCheckListDlg::EditItem), 1, 1);
    grid->addWidget(makeButton(QStringLiteral("削除"), &CEditCheckListDlg::DeleteItem), 2, 1);
    grid->addWidget(makeButton(QStringLiteral("▲"), &CEditCheckListDlg::MoveUp), 3, 1);
    grid->addWidget(makeButton(QStringLiteral("▼"), &CEditCheckListDlg::MoveDown), 4, 1);
    grid->addWidget(makeButton(QStringLiteral("全名刺チェック"), &CEditCheckListDlg::ToggleCheckAll), 5, 1);
    grid->addWidget(makeButton(QStringLiteral("全名刺リセット"), &CEditCheckListDlg::ToggleResetAll), 6, 1);
    grid->setRowStretch(7, 1);
    auto *note =
        new QLabel(QStringLiteral("全名刺について、選択された項目のチェック状態を変更します。"), this);
    note->setWordWrap(true);
    auto *notice = new QLabel(QStringLiteral("変更はすべての名刺データに反映されます。"), this);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setAutoDefault(false);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        // Nothing is taken unless every card's marks are in the file; the dialog stays to try again.
        if (!Apply()) {
            m_messages->Show(this, StoreErrorText(m_store->LastError()), windowTitle(), QMessageBox::Warning);
            return;
        }
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(notice);
    layout->addWidget(buttons);
    Rebuild(0);
}

QIcon CEditCheckListDlg::ActionMark(int action)
{
    QPixmap mark(16, 16);
    mark.fill(Qt::transparent);
    if (action == 1 || action == 2) {
        QPainter painter(&mark);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor colour = action == 1 ? QColor(Qt::blue) : QColor(Qt::red);
        painter.setPen(QPen(colour, 1.2));
        painter.drawRect(QRectF(1.5, 1.5, 13, 13));
        painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (action == 1) {
            painter.drawPolyline(QPolygonF({QPointF(4, 8.5), QPointF(7, 11.5), QPointF(12, 4.5)}));
        } else {
            painter.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
            painter.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
        }
    }
    return QIcon(mark);
}

bool CEditCheckListDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            AddItem();
            return true; // the dialog's default button must not see it
        }
    }
    return QDialog::eventFilter(watched, event);
}

int CEditCheckListDlg::CurrentPosition() const
{
    return m_list->currentRow();
}

void CEditCheckListDlg::Rebuild(int selectPosition)
{
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
        for (int position = 0; position < m_edited.Count(); ++position) {
            const int slot = m_edited.SlotAt(position);
            auto *item = new QListWidgetItem(m_edited.GetItemName(slot), m_list);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            // The pending whole-list action shows as a mark and in the item's colour.
            const int action = m_edited.IsSetAction(slot) ? 1 : (m_edited.IsClearAction(slot) ? 2 : 0);
            item->setIcon(ActionMark(action));
            if (action == 1) {
                item->setForeground(QBrush(Qt::blue));
                item->setToolTip(QStringLiteral("全名刺チェック"));
            } else if (action == 2) {
                item->setForeground(QBrush(Qt::red));
                item->setToolTip(QStringLiteral("全名刺リセット"));
            }
        }
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(qBound(0, selectPosition, m_list->count() - 1));
}

void CEditCheckListDlg::ShowDuplicate()
{
    m_messages->Show(this, QStringLiteral("同じ項目は設定できません。"), Caption, QMessageBox::Warning);
}

void CEditCheckListDlg::AddItem()
{
    const QString text = m_text->text();
    if (text.isEmpty() || m_edited.Count() >= CCheckArray::MaxItems)
        return;
    if (m_edited.PositionOfName(text) >= 0) {
        ShowDuplicate();
        return;
    }
    if (m_edited.AddItem(text) < 0)
        return;
    m_text->clear();
    Rebuild(m_edited.Count() - 1);
}

void CEditCheckListDlg::EditItem()
{
    if (QListWidgetItem *item = m_list->currentItem())
        m_list->editItem(item);
}

void CEditCheckListDlg::OnItemChanged(QListWidgetItem *item)
{
    const int position = m_list->row(item);
    const int slot = m_edited.SlotAt(position);
    const QString text = item->text().left(MaxTextLength);
    const QString old = m_edited.GetItemName(slot);
    if (text != old && !text.isEmpty()) {
        const int other = m_edited.PositionOfName(text);
        if (other >= 0 && other != position)
            ShowDuplicate();
        else
            m_edited.SetItemName(slot, text);
    }
    // Refused texts fall back to the item's name.
    const QSignalBlocker block(m_list);
    item->setText(m_edited.GetItemName(slot));
}

void CEditCheckListDlg::DeleteItem()
{
    const int position = CurrentPosition();
    if (position < 0)
        return;
    if (m_store->IsCheckItemInUse(m_edited.SlotAt(position)) &&
        m_messages->Show(this, QStringLiteral("この項目を使用中の名刺データがあります。削除しますか？"),
                         QStringLiteral("削除確認"), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::No) != QMessageBox::Yes)
        return;
    m_edited.RemoveAt(position);
    Rebuild(position);
}

void CEditCheckListDlg::MoveUp()
{
    Move(-1);
}

void CEditCheckListDlg::MoveDown()
{
    Move(1);
}

void CEditCheckListDlg::Move(int delta)
{
    const int position = CurrentPosition();
    const int other = position + delta;
    if (position < 0 || other < 0 || other >= m_edited.Count())
        return;
    m_edited.SwapPositions(position, other);
    Rebuild(other);
}

void CEditCheckListDlg::ToggleCheckAll()
{
    const int position = CurrentPosition();
    if (position < 0)
        return;
    const int slot = m_edited.SlotAt(position);
    if (m_edited.IsSetAction(slot))
        m_edited.SetNoAction(slot);
    else
        m_edited.SetSetAction(slot);
    Rebuild(position);
}

void CEditCheckListDlg::ToggleResetAll()
{
    const int position = CurrentPosition();
    if (position < 0)
        return;
    const int slot = m_edited.SlotAt(position);
    if (m_edited.IsClearAction(slot))
        m_edited.SetNoAction(slot);
    else
        m_edited.SetClearAction(slot);
    Rebuild(position);
}

bool CEditCheckListDlg::Apply()
{
    return m_store->ApplyCheckList(m_edited);
}
