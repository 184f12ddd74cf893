#include "CCardListModel.h"

#include "CCardData.h"
#include "CThumbnailCache.h"
#include "ICardSource.h"

CCardListModel::CCardListModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void CCardListModel::SetSource(ICardSource *source)
{
    beginResetModel();
    m_source = source;
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
    endResetModel();
}

int CCardListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_source)
        return 0;
    return m_source->TabSize(m_row, m_tab);
}

int CCardListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

CCardData *CCardListModel::CardAt(int item) const
{
    const int n = rowCount();
    if (item < 0 || item >= n)
        return nullptr;
    return m_source->TabCard(m_row, m_tab, m_descending ? n - 1 - item : item);
}

int CCardListModel::ItemOf(const CCardData *card) const
{
    if (!m_source || !card)
        return -1;
    const int pos = m_source->PositionInTab(card, m_row, m_tab);
    if (pos < 0)
        return -1;
    return m_descending ? rowCount() - 1 - pos : pos;
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
    if (!m_source || column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QList<CCardData *> cards;
    cards.reserve(before.size());
    for (const QModelIndex &i : before)
        cards.append(CardAt(i.row()));

    if (column == m_sortColumn) {
        m_descending = !m_descending;
    } else {
        m_sortColumn = column;
        m_descending = false;
    }
    // The column number is the store's sort kind; the store sorts ascending and a
    // descending view reads the tab from its end.
    m_source->SetSortKind(m_row, m_tab, column);

    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int item = ItemOf(cards[k]);
        after.append(item < 0 ? QModelIndex() : index(item, before[k].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

bool CCardListModel::TogglePrint(int item)
{
    CCardData *card = CardAt(item);
    if (!card)
        return false;
    CCardData copy(*card);
    copy.SetPrint(!card->Print());
    if (!m_source->Replace(copy, card))
        return false;
    RefreshCard(card);
    return true;
}

int CCardListModel::SetPrintAll(bool print)
{
    int changed = 0;
    const int n = rowCount();
    for (int item = 0; item < n; ++item) {
        CCardData *card = CardAt(item);
        if (!card || card->Print() == print)
            continue;
        CCardData copy(*card);
        copy.SetPrint(print);
        if (m_source->Replace(copy, card))
            ++changed;
    }
    if (changed)
        emit dataChanged(index(0, ColPrint), index(n - 1, ColPrint));
    return changed;
}

void CCardListModel::Refresh()
{
    beginResetModel();
    endResetModel();
}

void CCardListModel::RefreshCard(const CCardData *card)
{
    const int item = ItemOf(card);
    if (item >= 0)
        emit dataChanged(index(item, 0), index(item, ColumnCount - 1));
}
