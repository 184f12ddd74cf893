#pragma once

#include "VCardData.h"

#include <QList>

namespace Fuzz {

bool SameEntry(const VCARD_DATA &a, const VCARD_DATA &b);
bool SameEntries(const QList<VCARD_DATA> &a, const QList<VCARD_DATA> &b);

} // namespace Fuzz
