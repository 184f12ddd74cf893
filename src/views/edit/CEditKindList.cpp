#include "CEditKindList.h"

#include "CEditKindDelegate.h"
#include "IMessageBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

CEditKindList::CEditKindList(const QString &title, const QStringList &kindNames,
                             const QString &deleteQuestion, bool withSend, IMessageBox *messages,
                             QWidget *parent)
    : QWidget(parent), m_kindNames(kindNames), m_deleteQuestion(deleteQuestion), m_messages(messages),
      m_table(new QTableWidget(0, 2, this))
{
    m_table->setHorizontalHeaderLabels({QStringLiteral("種類"), title});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    // One line of text per row, and the kind column as wide as its longest name.
    const QFontMetrics metrics(m_table->font());
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    int kindWidth = metrics.horizontalAdvance(QStringLiteral("種類"));
    for (const QString &name : kindNames)
        kindWidth = qMax(kindWidth, metrics.horizontalAdvance(name));
    m_table->setColumnWidth(0, kindWidth + 36); // room for the drop-down arrow of the kind editor
    // A click on the row already selected opens the editor of the cell; elsewhere it only selects.
    m_table->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *delegate = new CEditKindDelegate(kindNames, m_table);
    m_table->setItemDelegate(delegate);
    // Queued so the list is rebuilt only after the editor has gone.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, &CEditKindList::RowsEdited,
            Qt::QueuedConnection);
    connect(m_table, &QWidget::customContextMenuRequested, this, &CEditKindList::ShowMenu);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CEditKindList::UpdateButtons);

    // The buttons stand beside the list in a compact block, so the page keeps its height for rows.
    m_up = new QPushButton(QStringLiteral("▲"), this);
    m_down = new QPushButton(QStringLiteral("▼"), this);
    auto *add = new QPushButton(QStringLiteral("追加"), this);
    m_edit = new QPushButton(QStringLiteral("編集"), this);
    m_delete = new QPushButton(QStringLiteral("削除"), this);
    auto *buttons = new QGridLayout;
    buttons->setSpacing(4);
    buttons->addWidget(m_up, 0, 0);
    buttons->addWidget(m_down, 0, 1);
    buttons->addWidget(add, 1, 0);
    buttons->addWidget(m_edit, 1, 1);
    buttons->addWidget(m_delete, 2, 0);
    connect(m_up, &QPushButton::clicked, this, &CEditKindList::MoveUp);
    connect(m_down, &QPushButton::clicked, this, &CEditKindList::MoveDown);
    connect(add, &QPushButton::clicked, this, &CEditKindList::AddRow);
    connect(m_edit, &QPushButton::clicked, this, &CEditKindList::EditRow);
    connect(m_delete, &QPushButton::clicked, this, &CEditKindList::DeleteRow);
    if (withSend) {
        m_send = new QPushButton(QStringLiteral("送信"), this);
        buttons->addWidget(m_send, 2, 1);
        connect(m_send, &QPushButton::clicked, this, [this] {
            const int row = CurrentRow();
            if (row >= 0 && m_table->item(row, 1) && !m_table->item(row, 1)->text().isEmpty())
                emit SendRequested(m_table->item(row, 1)->text());
        });
    }
    for (QPushButton *b : findChildren<QPushButton *>()) {
        b->setAutoDefault(false);
        b->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("編集")) + 24);
    }
    buttons->setRowStretch(3, 1);

    // At least three rows always show; the page scrolls rather than squeezing them.
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                              MinVisibleRows * m_table->verticalHeader()->defaultSectionSize() +
                              2 * m_table->frameWidth());
    // The text column takes the width there is; a long address is cut, never scrolled sideways.
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setMinimumWidth(kindWidth + 36 + metrics.horizontalAdvance(QStringLiteral("0000-0000-0000")) +
                             m_table->verticalScrollBar()->sizeHint().width() + 2 * m_table->frameWidth());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    UpdateButtons();
}

void CEditKindList::SetRows(const QList<Row> &rows)
{
    const int keep = CurrentRow();
    const QSignalBlocker block(m_table);
    m_table->setRowCount(0);
    m_table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(rows[r].kindText));
        m_table->setItem(r, 1, new QTableWidgetItem(rows[r].text));
    }
    if (keep >= 0 && keep < rows.size())
        m_table->selectRow(keep);
    UpdateButtons();
}

QList<CEditKindList::Row> CEditKindList::Rows() const
{
    QList<Row> rows;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const QTableWidgetItem *kind = m_table->item(r, 0);
        const QTableWidgetItem *text = m_table->item(r, 1);
        rows.append(Row{kind ? kind->text() : QString(), text ? text->text() : QString()});
    }
    return rows;
}

int CEditKindList::CurrentRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void CEditKindList::SetCurrentRow(int row)
{
    if (row >= 0 && row < m_table->rowCount())
        m_table->selectRow(row);
    else
        m_table->clearSelection();
}

void CEditKindList::MoveUp()
{
    Move(-1);
}

void CEditKindList::MoveDown()
{
    Move(1);
}

void CEditKindList::Move(int delta)
{
    const int row = CurrentRow();
    const int other = row + delta;
    if (row < 0 || other < 0 || other >= m_table->rowCount())
        return;
    for (int c = 0; c < 2; ++c) {
        QTableWidgetItem *a = m_table->takeItem(row, c);
        QTableWidgetItem *b = m_table->takeItem(other, c);
        m_table->setItem(row, c, b);
        m_table->setItem(other, c, a);
    }
    m_table->selectRow(other);
    emit RowsEdited();
}

void CEditKindList::AddRow()
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem(m_kindNames.value(0)));
    m_table->setItem(row, 1, new QTableWidgetItem);
    m_table->selectRow(row);
    m_table->setFocus();
    m_table->editItem(m_table->item(row, 1));
}

void CEditKindList::EditRow()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    m_table->setFocus();
    m_table->editItem(m_table->item(row, 1));
}

void CEditKindList::DeleteRow()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    if (m_messages->Show(this, m_deleteQuestion, QStringLiteral("削除確認"), QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_table->removeRow(row);
    emit RowsEdited();
}

void CEditKindList::ShowMenu(const QPoint &pos)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("追加"), this, &CEditKindList::AddRow);
    menu.addAction(QStringLiteral("編集"), this, &CEditKindList::EditRow)->setEnabled(CurrentRow() >= 0);
    menu.addAction(QStringLiteral("削除"), this, &CEditKindList::DeleteRow)->setEnabled(CurrentRow() >= 0);
    menu.exec(m_table->viewport()->mapToGlobal(pos));
}

void CEditKindList::UpdateButtons()
{
    const int row = CurrentRow();
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_table->rowCount());
    m_edit->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    if (m_send)
        m_send->setEnabled(row >= 0);
}
