#pragma once

#include <QAbstractTableModel>
#include <QList>

class CCardData;
class CCardStore;
class CThumbnailCache;

// The cards of one tab of the store's browsing index, as table rows. It keeps
// the tab's address, its sort state and the card pointers in row order; every
// text is read from the card when asked for. It follows the store's change
// signals itself, so whoever changes a card need not tell it.
class CCardListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        ColName,
        ColCompany,
        ColPhone,
        ColMail,
        ColTitle,
        ColDepartment,
        ColPrint,
        ColumnCount
    };
    static constexpr int PrintRole = Qt::UserRole + 1;

    explicit CCardListModel(QObject *parent = nullptr);

    void SetStore(CCardStore *store);
    CCardStore *Store() const { return m_store; }
    void SetThumbnails(CThumbnailCache *thumbnails);
    // Pictures are handed out only while the thumbnails are on show.
    void SetShowPictures(bool show) { m_showPictures = show; }
    // Row of the index (0 ヨミ, 1 会社名, 2 グループ) and the store's tab number.
    void SetTab(int row, int tab);
    int Row() const { return m_row; }
    int Tab() const { return m_tab; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    CCardData *CardAt(int item) const;
    int ItemOf(const CCardData *card) const; // -1 when the card is not in the tab

    // Header click: the same column again flips the direction, another starts ascending.
    void SortBy(int column);
    int SortColumn() const { return m_sortColumn; }
    bool Descending() const { return m_descending; }

    bool TogglePrint(int item);
    // Sets or clears Print on every card of the tab in one write; only cards that change are written.
    // -1 when the store refused.
    int SetPrintAll(bool print);

private:
    QList<CCardData *> TabInRowOrder() const;
    int RowInTab(const CCardData *card) const;
    void OnAboutToReset();
    void OnReset();
    void OnAdded(CCardData *card);
    void OnReplaced(CCardData *card, bool moved);
    void OnDeleted(CCardData *card);
    void OnTabContentChanged();
    // After one card came, went or moved: when the store's tab was rebuilt in
    // another order (an all-cards tab that had been sorted), the rows follow it.
    void FollowOrder();

    CCardStore *m_store = nullptr;
    CThumbnailCache *m_thumbnails = nullptr;
    QList<CCardData *> m_cards;
    int m_row = 0;
    int m_tab = 0;
    int m_sortColumn = 0;
    bool m_descending = false;
    bool m_showPictures = false;
};
