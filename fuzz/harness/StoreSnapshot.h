#pragma once

#include <QByteArray>
#include <QList>

class CCardStore;

namespace Fuzz {

// What a store shows: every stored card as the file would hold it, in slot order.
struct StoreSnapshot
{
    QList<QByteArray> cards;
    int live = 0;

    static StoreSnapshot Of(const CCardStore &store);
    // Changed cards move to the end of the file, so a reopened file numbers its slots
    // anew: after changes only the cards themselves compare.
    StoreSnapshot Sorted() const;
    bool operator==(const StoreSnapshot &) const = default;
};

} // namespace Fuzz
