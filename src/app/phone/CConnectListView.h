#pragma once

#include "CConnectEntryOrder.h"
#include "CSoftbankObexObject.h"

#include <QTreeWidget>

class QMenu;

// The right side of the connection window: one row per name-card file still
// on the phone, "名前", "サイズ" and "作成日". A header click steps that column
// through ascending, descending and the listing order.
class CConnectListView : public QTreeWidget
{
    Q_OBJECT
public:
    enum Command
    {
        Import,
        Copy,
        Move,
        Delete
    };
    enum Direction
    {
        Unsorted,
        Ascending,
        Descending
    };

    explicit CConnectListView(QWidget *parent = nullptr);

    // The document's entries and present flags; they must outlive the view.
    void SetEntries(const CSoftbankObexObjectArray *entries, const QList<int> *present);
    // Rows for every entry still on the phone, in listing order or as the
    // header sorts them.
    void Fill();
    // Takes the row of an entry that left the phone.
    void RemoveEntry(int entry);
    // Entry indexes of the rows, top to bottom; of the selected rows.
    QList<int> RowEntries() const;
    QList<int> SelectedEntries() const;
    // Asks for a command on the selected rows; nothing happens without one.
    void RunCommand(Command command);
    void SortBy(int column);

    int SortColumn() const { return m_sortColumn; }
    Direction SortDirection() const { return m_direction; }
    QMenu *ContextMenu() const { return m_menu; }

signals:
    void CommandRequested(CConnectListView::Command command, const QList<int> &entries);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void AddRow(int entry);
    // Replaces the rows by these entries, in the header's order.
    void Rebuild(QList<int> rows);
    void ShowSortIndicator();

    const CSoftbankObexObjectArray *m_entries = nullptr;
    const QList<int> *m_present = nullptr;
    QMenu *m_menu;
    int m_sortColumn = -1;
    Direction m_direction = Unsorted;
};
