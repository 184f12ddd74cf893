#pragma once

#include "CCardData.h"
#include "VCardData.h"

#include <QList>

// One vCard entry turned into a card, ready to be merged into the store.
struct PreparedCard
{
    CCardData card;
    // The entry's decoded photos (file names in the source's photo folder).
    QList<PROPERTY> photos;
    // false: the entry was malformed, and the rest of its source is not taken.
    bool valid = false;
};
