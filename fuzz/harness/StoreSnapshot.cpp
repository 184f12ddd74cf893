#include "StoreSnapshot.h"

#include "CCardStore.h"
#include "CChunk.h"

#include <algorithm>

namespace Fuzz {

StoreSnapshot StoreSnapshot::Of(const CCardStore &store)
{
    StoreSnapshot shot;
    shot.live = store.LiveCount();
    for (int slot = 0; slot < store.Count(); ++slot) {
        const CCardData *card = store.CardAt(slot);
        if (card && !card->Id().isEmpty())
            shot.cards << CChunk::EncodeCard(*card);
    }
    return shot;
}

StoreSnapshot StoreSnapshot::Sorted() const
{
    StoreSnapshot sorted = *this;
    std::sort(sorted.cards.begin(), sorted.cards.end());
    return sorted;
}

} // namespace Fuzz
