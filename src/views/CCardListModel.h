#pragma once

#include <QAbstractTableModel>

class CCardData;
class CThumbnailCache;
class ICardSource;

// A virtual model over one tab of the store's browsing index: it keeps only the tab's
// address and the sort state; every text is read from the card when asked for.
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

    void SetSource(ICardSource *source);
    ICardSource *Source() const { return m_source; }
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
    // Sets or clears Print on every card of the tab; only cards that change are written.
    int SetPrintAll(bool print);

    // Re-reads the item count (after any change of the store).
    void Refresh();
    void RefreshCard(const CCardData *card);

private:
    ICardSource *m_source = nullptr;
    CThumbnailCache *m_thumbnails = nullptr;
    int m_row = 0;
    int m_tab = 0;
    int m_sortColumn = 0;
    bool m_descending = false;
    bool m_showPictures = false;
};
