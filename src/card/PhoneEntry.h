#pragma once

#include "CardKinds.h"

#include <QString>

// One phone number of a card with its kind: set together, so that a number
// cannot be given where its kind belongs or the other way round.
struct PhoneEntry
{
    QString number;
    PhoneKind kind = PhoneMobile;
};
