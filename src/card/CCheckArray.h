#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One check-list slot: the item's name (empty = free slot) and what is still
// to be carried into the cards when the edited list is applied.
struct CCheckItem
{
    QString Text;
    int Action = 0;  // 0 none, 1 set the mark on every card, 2 clear it on every card
    int Changed = 0; // 0 unchanged, 1 added, 2 removed
};

// The check-list definitions: slots (mark positions in every card) and the
// display order of the current items.
class CCheckArray
{
public:
    static constexpr int MaxItems = 20;

    CCheckArray() = default;
    CCheckArray(const CCheckArray &other) = default;
    CCheckArray &operator=(const CCheckArray &other) = default;
    virtual ~CCheckArray() = default;

    virtual void Assign(const CCheckArray &other);
    // Rebuilds from the settings: names per slot, slots in display order.
    virtual void Load(const QStringList &names, const QList<int> &order);
    // Returns the slot used, or -1 when MaxItems items exist already.
    virtual int AddItem(const QString &name);
    virtual QString GetItemName(int slot) const;
    virtual void SetItemName(int slot, const QString &name);
    virtual void RemoveAt(int position);
    virtual void SwapPositions(int a, int b);
    // -1 outside the order.
    virtual int SlotAt(int position) const;
    virtual void SetNoAction(int slot);
    virtual void SetSetAction(int slot);
    virtual void SetClearAction(int slot);
    virtual bool IsSetAction(int slot) const;
    virtual bool IsClearAction(int slot) const;
    virtual bool IsChanged(int slot) const;
    virtual void ClearPending(int slot);
    virtual int SlotCount() const;
    virtual int Count() const;

    // Position in the order of the item with exactly this name, or -1.
    int PositionOfName(const QString &name) const;
    // Names of every slot up to the highest slot in use, so that an item in a
    // slot above Count() - 1 is restored after a restart.
    QStringList Names() const;
    const QList<int> &Order() const { return m_order; }

private:
    QList<CCheckItem> m_items;
    QList<int> m_order;
};
