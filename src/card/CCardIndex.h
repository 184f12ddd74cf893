#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>

class CCardData;

// The three rows of tabs the card list browses: by reading of the name, by
// company reading, by group. Each tab keeps its cards sorted by its sort kind;
// the all-cards tab of a row is the concatenation of its card tabs, rebuilt
// when next read after a change.
class CCardIndex
{
public:
    static constexpr int RowCount = 3;
    static constexpr int MaxSortKind = 6;

    // groupHasName(n) says whether group n has a non-empty name.
    explicit CCardIndex(std::function<bool(int)> groupHasName);

    static int TabOf(const QString &reading);
    static int TabCountOf(int row) { return row == 2 ? 18 : 14; }
    static int SearchTabOf(int row) { return row == 2 ? 16 : 12; }
    static int AllTabOf(int row) { return row == 2 ? 17 : 13; }

    int TabCount(int row) const;
    int TabSize(int row, int tab) const;
    CCardData *TabCard(int row, int tab, int position) const;
    QList<CCardData *> TabCopy(int row, int tab) const;
    int PositionInTab(const CCardData *card, int row, int tab) const;
    int SortKind(int row, int tab) const;
    bool SetSortKind(int row, int tab, int kind);

    // Fails (and changes nothing) for a card whose GroupNo lies outside 0–17.
    bool Insert(CCardData *card);
    // Fails when the card is not where its keys say it is.
    bool Remove(CCardData *card);
    void ClearSearchResults();
    void AddSearchResult(CCardData *card);
    // Empties every tab; sort kinds stay.
    void Clear();
    // Moves the cards of a group between its tab and tab 0 after its name
    // became empty or non-empty.
    void GroupNameChanged(int group);

    // The tab of each row a card belongs in, or -1 for a refused group.
    int TabFor(const CCardData *card, int row) const;
    // Compares two cards by a sort kind: <0, 0, >0.
    static int Compare(const CCardData *a, const CCardData *b, int kind);

private:
    // Cards arriving in a tab wait in `pending` and are merged in at their
    // upper bounds when the tab is next read, so that loading or importing
    // many cards does not move a long list once per card.
    struct Tab
    {
        QList<CCardData *> cards;
        QList<CCardData *> pending;
        int sortKind = 0;
    };

    const Tab &Ready(int row, int tab) const;
    static void Flush(Tab &tab);
    static qsizetype Find(const Tab &tab, const CCardData *card);
    bool Valid(int row, int tab) const;

    std::function<bool(int)> m_groupHasName;
    mutable std::array<QList<Tab>, RowCount> m_rows;
    mutable std::array<bool, RowCount> m_allDirty{};
};
