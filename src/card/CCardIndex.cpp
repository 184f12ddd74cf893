#include "CCardIndex.h"

#include "CCardData.h"
#include "Cp932.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

struct SortKey
{
    QString text;
    QByteArray bytes;
    bool flag = false;
};

SortKey KeyOf(const CCardData *card, int kind)
{
    SortKey key;
    switch (kind) {
    case 0:
        key.text = card->YomiName();
        break;
    case 1:
        key.text = card->CompanySortKey();
        break;
    case 2:
        key.text = card->Phone(0);
        break;
    case 3:
        key.text = card->Mail(0);
        break;
    case 4:
        key.bytes = Cp932::Encode(card->Title());
        break;
    case 5:
        key.bytes = Cp932::Encode(card->Department());
        break;
    default:
        key.flag = card->Print();
        break;
    }
    return key;
}

int CompareKeys(const SortKey &a, const SortKey &b, int kind)
{
    switch (kind) {
    case 0:
    case 1:
    case 2:
    case 3:
        return QString::compare(a.text, b.text, Qt::CaseSensitive);
    case 4:
    case 5:
        return a.bytes < b.bytes ? -1 : (b.bytes < a.bytes ? 1 : 0);
    default:
        return int(a.flag) - int(b.flag);
    }
}

using Decorated = std::vector<std::pair<SortKey, CCardData *>>;

Decorated Decorate(const QList<CCardData *> &cards, int kind)
{
    Decorated out;
    out.reserve(cards.size());
    for (CCardData *card : cards)
        out.emplace_back(KeyOf(card, kind), card);
    std::stable_sort(out.begin(), out.end(), [kind](const auto &a, const auto &b) {
        return CompareKeys(a.first, b.first, kind) < 0;
    });
    return out;
}

} // namespace

CCardIndex::CCardIndex(std::function<bool(int)> groupHasName) : m_groupHasName(std::move(groupHasName))
{
    for (int row = 0; row < RowCount; ++row)
        m_rows[row].resize(TabCountOf(row));
}

int CCardIndex::TabOf(const QString &reading)
{
    if (reading.isEmpty())
        return 11;
    const char16_t c = reading.at(0).unicode();
    if ((c >= 0xFF71 && c <= 0xFF75) || (c >= 0xFF67 && c <= 0xFF6B))
        return 0;
    if (c >= 0xFF76 && c <= 0xFF7A)
        return 1;
    if (c >= 0xFF7B && c <= 0xFF7F)
        return 2;
    if ((c >= 0xFF80 && c <= 0xFF84) || c == 0xFF6F)
        return 3;
    if (c >= 0xFF85 && c <= 0xFF89)
        return 4;
    if (c >= 0xFF8A && c <= 0xFF8E)
        return 5;
    if (c >= 0xFF8F && c <= 0xFF93)
        return 6;
    if ((c >= 0xFF94 && c <= 0xFF96) || (c >= 0xFF6C && c <= 0xFF6E))
        return 7;
    if (c >= 0xFF97 && c <= 0xFF9B)
        return 8;
    if (c == 0xFF9C || c == 0xFF9D || c == 0xFF66)
        return 9;
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
        return 10;
    return 11;
}

bool CCardIndex::Valid(int row, int tab) const
{
    return row >= 0 && row < RowCount && tab >= 0 && tab < TabCountOf(row);
}

int CCardIndex::TabCount(int row) const
{
    return row >= 0 && row < RowCount ? TabCountOf(row) : 0;
}

int CCardIndex::TabSize(int row, int tab) const
{
    return Valid(row, tab) ? int(Ready(row, tab).cards.size()) : 0;
}

CCardData *CCardIndex::TabCard(int row, int tab, int position) const
{
    if (!Valid(row, tab))
        return nullptr;
    const Tab &t = Ready(row, tab);
    return position >= 0 && position < t.cards.size() ? t.cards[position] : nullptr;
}

QList<CCardData *> CCardIndex::TabCopy(int row, int tab) const
{
    return Valid(row, tab) ? Ready(row, tab).cards : QList<CCardData *>();
}

int CCardIndex::PositionInTab(const CCardData *card, int row, int tab) const
{
    return Valid(row, tab) ? int(Ready(row, tab).cards.indexOf(card)) : -1;
}

int CCardIndex::SortKind(int row, int tab) const
{
    return Valid(row, tab) ? m_rows[row][tab].sortKind : 0;
}

bool CCardIndex::SetSortKind(int row, int tab, int kind)
{
    if (!Valid(row, tab) || kind < 0 || kind > MaxSortKind)
        return false;
    Ready(row, tab);
    Tab &t = m_rows[row][tab];
    t.sortKind = kind;
    const Decorated sorted = Decorate(t.cards, kind);
    for (qsizetype i = 0; i < t.cards.size(); ++i)
        t.cards[i] = sorted[i].second;
    return true;
}

int CCardIndex::TabFor(const CCardData *card, int row) const
{
    switch (row) {
    case 0:
        return TabOf(card->YomiName());
    case 1:
        return TabOf(card->CompanySortKey());
    default: {
        const int group = card->GroupNo();
        if (group < 0 || group > 17)
            return -1;
        // Tabs 16 and 17 are the search results and all cards, never a group's.
        return group < 16 && m_groupHasName(group) ? group : 0;
    }
    }
}

int CCardIndex::Compare(const CCardData *a, const CCardData *b, int kind)
{
    return CompareKeys(KeyOf(a, kind), KeyOf(b, kind), kind);
}

bool CCardIndex::Insert(CCardData *card)
{
    int tabs[RowCount];
    for (int row = 0; row < RowCount; ++row) {
        tabs[row] = TabFor(card, row);
        if (tabs[row] < 0)
            return false;
    }
    for (int row = 0; row < RowCount; ++row) {
        m_rows[row][tabs[row]].pending.append(card);
        m_allDirty[row] = true;
    }
    return true;
}

qsizetype CCardIndex::Find(const Tab &tab, const CCardData *card)
{
    // The card's key range first; a tab whose keys changed under it falls back to a scan.
    const SortKey key = KeyOf(card, tab.sortKind);
    const auto first =
        std::lower_bound(tab.cards.begin(), tab.cards.end(), key, [&tab](CCardData *c, const SortKey &k) {
            return CompareKeys(KeyOf(c, tab.sortKind), k, tab.sortKind) < 0;
        });
    for (auto it = first; it != tab.cards.end() && *it != card; ++it) {
        if (CompareKeys(KeyOf(*it, tab.sortKind), key, tab.sortKind) != 0)
            return tab.cards.indexOf(card);
    }
    const auto hit = std::find(first, tab.cards.end(), card);
    return hit != tab.cards.end() ? hit - tab.cards.begin() : tab.cards.indexOf(card);
}

bool CCardIndex::Remove(CCardData *card)
{
    qsizetype positions[RowCount];
    int tabs[RowCount];
    for (int row = 0; row < RowCount; ++row) {
        tabs[row] = TabFor(card, row);
        if (tabs[row] < 0)
            return false;
        Tab &t = m_rows[row][tabs[row]];
        Flush(t);
        positions[row] = Find(t, card);
        if (positions[row] < 0)
            return false;
    }
    for (int row = 0; row < RowCount; ++row) {
        m_rows[row][tabs[row]].cards.removeAt(positions[row]);
        Tab &search = m_rows[row][SearchTabOf(row)];
        search.cards.removeAll(card);
        search.pending.removeAll(card);
        m_allDirty[row] = true;
    }
    return true;
}

void CCardIndex::ClearSearchResults()
{
    for (int row = 0; row < RowCount; ++row) {
        Tab &search = m_rows[row][SearchTabOf(row)];
        search.cards.clear();
        search.pending.clear();
    }
    m_rows[2][SearchTabOf(2)].sortKind = 0;
}

void CCardIndex::AddSearchResult(CCardData *card)
{
    for (int row = 0; row < RowCount; ++row)
        m_rows[row][SearchTabOf(row)].pending.append(card);
}

void CCardIndex::Clear()
{
    for (int row = 0; row < RowCount; ++row) {
        for (Tab &t : m_rows[row]) {
            t.cards.clear();
            t.pending.clear();
        }
        m_allDirty[row] = false;
    }
}

void CCardIndex::GroupNameChanged(int group)
{
    if (group <= 0 || group >= 16)
        return;
    QList<Tab> &row = m_rows[2];
    Tab &from = m_groupHasName(group) ? row[0] : row[group];
    Tab &to = m_groupHasName(group) ? row[group] : row[0];
    Flush(from);
    QList<CCardData *> keep;
    for (CCardData *card : from.cards) {
        if (card->GroupNo() == group)
            to.pending.append(card);
        else
            keep.append(card);
    }
    from.cards = keep;
    m_allDirty[2] = true;
}

void CCardIndex::Flush(Tab &tab)
{
    if (tab.pending.isEmpty())
        return;
    const int kind = tab.sortKind;
    const Decorated arriving = Decorate(tab.pending, kind);
    tab.pending.clear();
    if (tab.cards.isEmpty()) {
        // The first read after loading: the sorted arrivals are the whole tab.
        tab.cards.reserve(qsizetype(arriving.size()));
        for (const auto &entry : arriving)
            tab.cards.append(entry.second);
        return;
    }
    QList<CCardData *> merged;
    merged.reserve(tab.cards.size() + qsizetype(arriving.size()));
    auto from = tab.cards.cbegin();
    for (const auto &[key, card] : arriving) {
        // Upper bound: after the cards with an equal key.
        const auto bound =
            std::upper_bound(from, tab.cards.cend(), key, [kind](const SortKey &k, CCardData *c) {
                return CompareKeys(k, KeyOf(c, kind), kind) < 0;
            });
        std::copy(from, bound, std::back_inserter(merged));
        merged.append(card);
        from = bound;
    }
    std::copy(from, tab.cards.cend(), std::back_inserter(merged));
    tab.cards = std::move(merged);
}

const CCardIndex::Tab &CCardIndex::Ready(int row, int tab) const
{
    Tab &t = m_rows[row][tab];
    if (tab == AllTabOf(row)) {
        if (m_allDirty[row]) {
            t.cards.clear();
            for (int i = 0; i < SearchTabOf(row); ++i) {
                Flush(m_rows[row][i]);
                t.cards += m_rows[row][i].cards;
            }
            m_allDirty[row] = false;
        }
    } else {
        Flush(t);
    }
    return t;
}
