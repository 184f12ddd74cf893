#pragma once

#include "CardKinds.h"

#include <QString>

// One e-mail address of a card with its kind: set together, so that an address
// cannot be given where its kind belongs or the other way round.
struct MailEntry
{
    QString address;
    MailKind kind = MailMobile;
};
