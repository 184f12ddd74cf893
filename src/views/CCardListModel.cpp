#include "CCardListModel.h"

#include "CCardData.h"
#include "CCardIndex.h"
#include "CCardStore.h"
#include "CThumbnailCache.h"

#include <QHash>
#include <algorithm>

CCardListModel::CCardListModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void CCardListModel::SetStore(CCardStore *store)
{
    beginResetModel();
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    if (m_store) {
        connect(m_store, &CCardStore::AboutToReset, this, &CCardListModel::OnAboutToReset);
        connect(m_store, &CCardStore::Reset, this, &CCardListModel::OnReset);
        connect(m_store, &CCardStore::CardAdded, this, &CCardListModel::OnAdded);
        connect(m_store, &CCardStore::CardReplaced, this, &CCardListModel::OnReplaced);
        connect(m_store, &CCardStore::CardDeleted, this, &CCardListModel::OnDeleted);
        connect(m_store, &CCardStore::SearchResultsChanged, this, [this] {
            if (m_tab == CCardIndex::SearchTabOf(m_row))
                OnTabContentChanged();
        });
        connect(m_store, &CCardStore::GroupsChanged, this, [this] {
            if (m_row == 2)
                OnTabContentChanged();
        });
    }
    m_cards = TabInRowOrder();
    endResetModel();
}

void CCardListModel::SetThumbnails(CThumbnailCache *thumbnails)
{
    m_thumbnails = thumbnails;
    if (m_thumbnails)
        connect(m_thumbnails, &CThumbnailCache::ThumbnailChanged, this, [this](const CCardData *card) {
            const int item = ItemOf(card);
            if (item >= 0)
                emit dataChanged(index(item, 0), index(item, 0), {Qt::DecorationRole});
        });
}

void CCardListModel::SetTab(int row, int tab)
{
    beginResetModel();
    m_row = row;
    m_tab = tab;
    m_cards = TabInRowOrder();
    endResetModel();
}

QList<CCardData *> CCardListModel::TabInRowOrder() const
{
    if (!m_store)
        return {};
    QList<CCardData *> cards = m_store->TabCopy(m_row, m_tab);
    if (m_descending)
        std::reverse(cards.begin(), cards.end());
    return cards;
}

int CCardListModel::RowInTab(const CCardData *card) const
{
    const int position = m_store ? m_store->PositionInTab(card, m_row, m_tab) : -1;
    if (position < 0)
        return -1;
    return m_descending ? m_store->TabSize(m_row, m_tab) - 1 - position : position;
}

int CCardListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cards.size());
}

int CCardListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

CCardData *CCardListModel::CardAt(int item) const
{
    return item >= 0 && item < m_cards.size() ? m_cards[item] : nullptr;
}

int CCardListModel::ItemOf(const CCardData *card) const
{
    return card ? int(m_cards.indexOf(card)) : -1;
}

QVariant CCardListModel::data(const QModelIndex &index, int role) const
{
    const CCardData *card = CardAt(index.row());
    if (!card)
        return {};
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColName:
            return card->Name();
        case ColCompany:
            return card->Company();
        case ColPhone:
            return card->Phone(0);
        case ColMail:
            return card->Mail(0);
        case ColTitle:
            return card->Title();
        case ColDepartment:
            return card->Department();
        default:
            return {};
        }
    }
    if (role == PrintRole)
        return card->Print();
    if (role == Qt::DecorationRole && index.column() == 0 && m_thumbnails && m_showPictures)
        return m_thumbnails->Picture(card);
    return {};
}

QVariant CCardListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[ColumnCount] = {"名前", "会社名", "電話番号", "メールアドレス",
                                                    "役職", "部署名", "印刷"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(titles[section]);
}

void CCardListModel::SortBy(int column)
{
    if (!m_store || column < 0 || column >= ColumnCount)
        return;
    if (column == m_sortColumn) {
        m_descending = !m_descending;
    } else {
        m_sortColumn = column;
        m_descending = false;
    }
    // The column number is the store's sort kind; the store sorts ascending and a
    // descending view reads the tab from its end.
    m_store->SetSortKind(m_row, m_tab, column);
    FollowOrder();
}

void CCardListModel::FollowOrder()
{
    QList<CCardData *> fresh = TabInRowOrder();
    if (fresh == m_cards)
        return;
    if (fresh.size() != m_cards.size()) {
        beginResetModel();
        m_cards = std::move(fresh);
        endResetModel();
        return;
    }
    // The selection and the current row stay on their cards.
    emit layoutAboutToBeChanged();
    QHash<const CCardData *, int> rowOf;
    rowOf.reserve(fresh.size());
    for (int r = 0; r < fresh.size(); ++r)
        rowOf.insert(fresh[r], r);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before) {
        const int r = rowOf.value(CardAt(i.row()), -1);
        after.append(r < 0 ? QModelIndex() : index(r, i.column()));
    }
    m_cards = std::move(fresh);
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void CCardListModel::OnAboutToReset()
{
    // The cards are about to go away: nothing may be read through this model until Reset.
    beginResetModel();
    m_cards.clear();
}

void CCardListModel::OnReset()
{
    m_cards = TabInRowOrder();
    endResetModel();
}

void CCardListModel::OnTabContentChanged()
{
    beginResetModel();
    m_cards = TabInRowOrder();
    endResetModel();
}

void CCardListModel::OnAdded(CCardData *card)
{
    const int row = RowInTab(card);
    if (row < 0 || row > m_cards.size())
        return;
    beginInsertRows(QModelIndex(), row, row);
    m_cards.insert(row, card);
    endInsertRows();
    FollowOrder();
}

void CCardListModel::OnDeleted(CCardData *card)
{
    const int row = ItemOf(card);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_cards.removeAt(row);
    endRemoveRows();
    FollowOrder();
}

void CCardListModel::OnReplaced(CCardData *card, bool moved)
{
    const int old = ItemOf(card);
    if (!moved) {
        if (old >= 0)
            emit dataChanged(index(old, 0), index(old, ColumnCount - 1));
        return;
    }
    const int now = RowInTab(card);
    if (old < 0 && now < 0)
        return;
    if (old < 0) {
        OnAdded(card);
        return;
    }
    if (now < 0 || now >= m_cards.size()) {
        OnDeleted(card);
        return;
    }
    if (now != old) {
        // Moving down, the destination counts the rows before the card is taken out.
        beginMoveRows(QModelIndex(), old, old, QModelIndex(), now > old ? now + 1 : now);
        m_cards.move(old, now);
        endMoveRows();
    }
    emit dataChanged(index(now, 0), index(now, ColumnCount - 1));
    FollowOrder();
}

bool CCardListModel::TogglePrint(int item)
{
    CCardData *card = CardAt(item);
    if (!card || !m_store)
        return false;
    CCardData copy(*card);
    copy.SetPrint(!card->Print());
    return m_store->Replace(copy, card) != nullptr;
}

int CCardListModel::SetPrintAll(bool print)
{
    if (!m_store)
        return 0;
    QList<CCardStore::CardChange> changes;
    for (CCardData *card : std::as_const(m_cards)) {
        if (card->Print() == print)
            continue;
        CCardData copy(*card);
        copy.SetPrint(print);
        changes.append({card, std::move(copy)});
    }
    if (changes.isEmpty())
        return 0;
    return m_store->ReplaceCards(changes) ? int(changes.size()) : -1;
}
