#include "CConnectEntryOrder.h"

#include "Cp932.h"

#include <QHash>
#include <algorithm>

QString CConnectEntryOrder::DateText(const QString &created)
{
    return QStringLiteral("%1/%2/%3").arg(created.mid(0, 4), created.mid(4, 2), created.mid(6, 2));
}

void CConnectEntryOrder::Sort(QList<int> &rows, const CSoftbankObexObjectArray &entries, Column column,
                              bool descending)
{
    auto valid = [&entries](int row) { return row >= 0 && row < entries.size(); };
    if (!std::all_of(rows.begin(), rows.end(), valid))
        return;
    // Byte strings compare as unsigned bytes, as the names were compared in the ANSI code page.
    QHash<int, QByteArray> keys;
    if (column == Name)
        for (int row : std::as_const(rows))
            keys.insert(row, Cp932::Encode(entries[row].name));
    auto less = [&](int a, int b) {
        switch (column) {
        case Name:
            return keys.value(a) < keys.value(b);
        case Size:
            return entries[a].size < entries[b].size;
        case Created:
            return DateText(entries[a].created) < DateText(entries[b].created);
        }
        return false;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return descending ? less(b, a) : less(a, b); });
}
