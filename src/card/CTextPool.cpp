#include "CTextPool.h"

#include <algorithm>

namespace {

// FNV-1a over the UTF-16 units: pooled texts are short, and a seeded hash
// buys nothing here since the pool lives only while one file is read.
constexpr size_t KindListLimit = 64;

size_t HashOf(QStringView text)
{
    quint64 h = 14695981039346656037ull;
    for (QChar c : text)
        h = (h ^ c.unicode()) * 1099511628211ull;
    return size_t(h ^ (h >> 29));
}

} // namespace

QString CTextPool::Share(QStringView text)
{
    if (text.isEmpty())
        return QString();
    if (2 * (m_used + 1) > m_slots.size())
        Grow();
    const size_t mask = m_slots.size() - 1;
    for (size_t i = HashOf(text) & mask;; i = (i + 1) & mask) {
        QString &slot = m_slots[i];
        if (slot.isNull()) {
            slot = text.toString();
            ++m_used;
            return slot;
        }
        if (QStringView(slot) == text)
            return slot;
    }
}

void CTextPool::Grow()
{
    std::vector<QString> old;
    old.swap(m_slots);
    m_slots.resize(old.empty() ? 256 : old.size() * 2);
    const size_t mask = m_slots.size() - 1;
    for (QString &text : old) {
        if (text.isNull())
            continue;
        size_t i = HashOf(text) & mask;
        while (!m_slots[i].isNull())
            i = (i + 1) & mask;
        m_slots[i] = std::move(text);
    }
}

QList<quint32> CTextPool::ShareKinds(const quint32 *kinds, qsizetype count)
{
    if (count == 0)
        return QList<quint32>();
    for (const QList<quint32> &list : m_kindLists) {
        if (list.size() == count && std::equal(list.cbegin(), list.cend(), kinds))
            return list;
    }
    QList<quint32> list(kinds, kinds + count);
    if (m_kindLists.size() < KindListLimit)
        m_kindLists.push_back(list);
    return list;
}
