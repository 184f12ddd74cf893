#include "CConnectListView.h"

#include "KeepSelectionColours.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <algorithm>

namespace {
constexpr int EntryRole = Qt::UserRole;
}

CConnectListView::CConnectListView(QWidget *parent) : QTreeWidget(parent), m_menu(new QMenu(this))
{
    setColumnCount(3);
    setHeaderLabels({QString::fromUtf8("名前"), QString::fromUtf8("サイズ"), QString::fromUtf8("作成日")});
    headerItem()->setTextAlignment(CConnectEntryOrder::Size, Qt::AlignRight | Qt::AlignVCenter);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false); // the header's three steps are this view's own
    KeepSelectionColours(this);
    QHeaderView *head = header();
    head->setSectionsMovable(true);
    head->setSectionsClickable(true);
    head->setStretchLastSection(false);
    head->resizeSection(CConnectEntryOrder::Name, 255);
    head->resizeSection(CConnectEntryOrder::Size, 55);
    // The widths a dialog font of the old desktop needed; a larger font must
    // not cut the date, so that column takes what the widest date needs.
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) +
                          2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    head->resizeSection(CConnectEntryOrder::Created, std::max(75, dateWidth));
    connect(head, &QHeaderView::sectionClicked, this, &CConnectListView::SortBy);

    const struct
    {
        const char *text;
        Command command;
    } entries[] = {{"ｲﾝﾎﾟｰﾄ", Import}, {"ｺﾋﾟｰ", Copy}, {"移動", Move}, {"削除", Delete}};
    for (const auto &e : entries) {
        const Command command = e.command;
        m_menu->addAction(QString::fromUtf8(e.text), this, [this, command] { RunCommand(command); });
    }
}

void CConnectListView::SetEntries(const CSoftbankObexObjectArray *entries, const QList<int> *present)
{
    m_entries = entries;
    m_present = present;
    Fill();
}

void CConnectListView::AddRow(int entry)
{
    const CSoftbankObexObject &e = m_entries->at(entry);
    auto *item = new QTreeWidgetItem(
        this, QStringList{e.name, QString::number(e.size), CConnectEntryOrder::DateText(e.created)});
    item->setTextAlignment(CConnectEntryOrder::Size, Qt::AlignRight | Qt::AlignVCenter);
    item->setData(0, EntryRole, entry);
}

void CConnectListView::Fill()
{
    QList<int> rows;
    if (m_entries && m_present)
        for (int i = 0; i < m_entries->size(); ++i)
            if (m_present->value(i) == 1)
                rows.append(i);
    Rebuild(rows);
}

void CConnectListView::RemoveEntry(int entry)
{
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (topLevelItem(row)->data(0, EntryRole).toInt() == entry) {
            delete takeTopLevelItem(row);
            return;
        }
    }
}

QList<int> CConnectListView::RowEntries() const
{
    QList<int> rows;
    for (int row = 0; row < topLevelItemCount(); ++row)
        rows.append(topLevelItem(row)->data(0, EntryRole).toInt());
    return rows;
}

QList<int> CConnectListView::SelectedEntries() const
{
    QList<int> rows;
    for (int row = 0; row < topLevelItemCount(); ++row)
        if (topLevelItem(row)->isSelected())
            rows.append(topLevelItem(row)->data(0, EntryRole).toInt());
    return rows;
}

void CConnectListView::RunCommand(Command command)
{
    const QList<int> selected = SelectedEntries();
    if (!selected.isEmpty())
        emit CommandRequested(command, selected);
}

void CConnectListView::SortBy(int column)
{
    if (column == m_sortColumn) {
        m_direction = m_direction == Ascending    ? Descending
                      : m_direction == Descending ? Unsorted
                                                  : Ascending;
    } else {
        m_sortColumn = column;
        m_direction = Ascending;
    }
    ShowSortIndicator();
    Fill();
}

void CConnectListView::ShowSortIndicator()
{
    header()->setSortIndicatorShown(m_direction != Unsorted);
    // Qt's ascending arrow points up, as this list's ascending order shows it.
    header()->setSortIndicator(m_sortColumn,
                               m_direction == Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CConnectListView::Rebuild(QList<int> rows)
{
    if (m_entries && m_direction != Unsorted)
        CConnectEntryOrder::Sort(rows, *m_entries, CConnectEntryOrder::Column(m_sortColumn),
                                 m_direction == Descending);
    // The rows the user chose stay chosen in the new order.
    const QList<int> selected = SelectedEntries();
    const int current = currentItem() ? currentItem()->data(0, EntryRole).toInt() : -1;
    clear();
    for (int entry : std::as_const(rows)) {
        AddRow(entry);
        QTreeWidgetItem *item = topLevelItem(topLevelItemCount() - 1);
        if (entry == current)
            setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        item->setSelected(selected.contains(entry));
    }
}

void CConnectListView::contextMenuEvent(QContextMenuEvent *event)
{
    if (selectedItems().isEmpty())
        return;
    m_menu->popup(event->globalPos());
}
