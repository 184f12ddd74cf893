#include "CCheckArray.h"

void CCheckArray::Assign(const CCheckArray &other)
{
    m_items = other.m_items;
    m_order = other.m_order;
}

void CCheckArray::Load(const QStringList &names, const QList<int> &order)
{
    m_items.clear();
    m_order.clear();
    for (int slot : order) {
        if (slot < 0 || slot >= MaxItems || slot >= names.size() || names[slot].isEmpty() ||
            m_order.contains(slot) || m_order.size() >= MaxItems)
            continue;
        if (m_items.size() <= slot)
            m_items.resize(slot + 1);
        m_items[slot].Text = names[slot];
        m_order.append(slot);
    }
}

int CCheckArray::AddItem(const QString &name)
{
    if (m_order.size() >= MaxItems)
        return -1;
    int slot = 0;
    while (slot < m_items.size() && !m_items[slot].Text.isEmpty())
        ++slot;
    if (slot == m_items.size())
        m_items.append(CCheckItem());
    m_items[slot].Text = name;
    m_items[slot].Action = 0;
    m_items[slot].Changed = 1;
    m_order.append(slot);
    return slot;
}

QString CCheckArray::GetItemName(int slot) const
{
    return slot >= 0 && slot < m_items.size() ? m_items[slot].Text : QString();
}

void CCheckArray::SetItemName(int slot, const QString &name)
{
    if (slot >= 0 && slot < m_items.size())
        m_items[slot].Text = name;
}

void CCheckArray::RemoveAt(int position)
{
    if (position < 0 || position >= m_order.size())
        return;
    const int slot = m_order.takeAt(position);
    m_items[slot].Text.clear();
    m_items[slot].Action = 0;
    m_items[slot].Changed = 2;
}

void CCheckArray::SwapPositions(int a, int b)
{
    if (a >= 0 && b >= 0 && a < m_order.size() && b < m_order.size())
        m_order.swapItemsAt(a, b);
}

int CCheckArray::SlotAt(int position) const
{
    return position >= 0 && position < m_order.size() ? m_order[position] : -1;
}

void CCheckArray::SetNoAction(int slot)
{
    if (slot >= 0 && slot < m_items.size())
        m_items[slot].Action = 0;
}

void CCheckArray::SetSetAction(int slot)
{
    if (slot >= 0 && slot < m_items.size())
        m_items[slot].Action = 1;
}

void CCheckArray::SetClearAction(int slot)
{
    if (slot >= 0 && slot < m_items.size())
        m_items[slot].Action = 2;
}

bool CCheckArray::IsSetAction(int slot) const
{
    return slot >= 0 && slot < m_items.size() && m_items[slot].Action == 1;
}

bool CCheckArray::IsClearAction(int slot) const
{
    return slot >= 0 && slot < m_items.size() && m_items[slot].Action == 2;
}

bool CCheckArray::IsChanged(int slot) const
{
    return slot >= 0 && slot < m_items.size() && m_items[slot].Changed != 0;
}

void CCheckArray::ClearPending(int slot)
{
    if (slot >= 0 && slot < m_items.size()) {
        m_items[slot].Action = 0;
        m_items[slot].Changed = 0;
    }
}

int CCheckArray::SlotCount() const
{
    return int(m_items.size());
}

int CCheckArray::Count() const
{
    return int(m_order.size());
}

int CCheckArray::PositionOfName(const QString &name) const
{
    for (int position = 0; position < m_order.size(); ++position) {
        if (m_items[m_order[position]].Text == name)
            return position;
    }
    return -1;
}

QStringList CCheckArray::Names() const
{
    int highest = -1;
    for (int slot : m_order)
        highest = qMax(highest, slot);
    QStringList names;
    for (int slot = 0; slot <= highest; ++slot)
        names << m_items[slot].Text;
    return names;
}
