#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class CCardData;
class CCardListModel;
class CThumbnailCache;
class CCardStore;
class IMessageBox;
class QAction;
class QKeyEvent;
class QListView;
class QStackedWidget;
class QTableView;

// The card list: the cards of one tab as a table ("一覧表示") or as thumbnails
// ("サムネイル表示"); both presentations share one model and one selection.
class CCardListView : public QWidget
{
    Q_OBJECT
public:
    enum Style
    {
        TableStyle = 0,
        ThumbnailStyle = 1
    };

    // What a drop of files from the desktop imports.
    struct DropImport
    {
        QStringList vcards; // every ".vcf" file
        QString csv;        // the one ".csv" file when no vCard was dropped
    };
    static DropImport ChooseDropImport(const QStringList &files);

    CCardListView(CCardStore *store, IMessageBox *messages, QWidget *parent = nullptr);
    ~CCardListView() override;

    void SetTab(int row, int tab);
    void SetStyle(int style);
    int CurrentStyle() const { return m_style; }
    void SetThumbnailSize(QSize size);

    QList<int> ColumnOrder() const; // logical column per visual place
    void SetColumnOrder(const QList<int> &order);
    QList<int> ColumnWidths() const;
    void SetColumnWidths(const QList<int> &widths);
    QStringList ColumnTitles() const;

    // The cards of the current tab in the list's order (printing, mail and export use it).
    QList<CCardData *> CurrentSequence() const;
    QList<CCardData *> SelectedCards() const;
    CCardData *CurrentCard() const;
    int ItemCount() const;

    void SelectAll();
    void SelectFirst();
    void SelectLast();
    void SelectCard(const CCardData *card);
    int SetPrintAll(bool print);
    void DeleteSelected();
    void ResetPresentation();
    void SetContextMenuActions(const QList<QAction *> &actions);

    CCardListModel *Model() const { return m_model; }
    QTableView *Table() const { return m_table; }
    QListView *Thumbnails() const { return m_thumbs; }
    CThumbnailCache *ThumbnailCache() const { return m_cache; }

signals:
    void CurrentCardChanged(CCardData *card);
    void SelectionChanged();
    void ImportRequested(const QStringList &vcards, const QString &csv);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TogglePrint(int item);
    void RememberPlace();
    void RestorePlace();
    void RefreshThumbnails();
    void OnHeaderClicked(int column);
    void OnHeaderMenu(const QPoint &pos);
    void OnItemMenu(const QPoint &pos);
    // Home and End go to the first and last card, Delete runs 削除; false for other keys.
    bool OnKey(QKeyEvent *event);
    void ApplyRowHeight();
    QWidget *ActiveView() const;

    CCardStore *m_store;
    IMessageBox *m_messages;
    // Where the list was when the store was about to reset: the cards by Id.
    QString m_keptCurrent;
    QStringList m_keptSelection;
    int m_keptRow = -1;
    int m_keptScroll = 0;
    bool m_switchingTab = false;
    CCardListModel *m_model;
    CThumbnailCache *m_cache;
    QStackedWidget *m_stack;
    QTableView *m_table;
    QListView *m_thumbs;
    QList<QAction *> m_contextActions;
    int m_style = TableStyle;
};
