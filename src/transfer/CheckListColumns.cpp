#include "CheckListColumns.h"

#include "CCheckArray.h"

CheckListItems CheckListColumns(const CCheckArray &checks)
{
    CheckListItems items;
    for (int position = 0; position < checks.Count(); ++position) {
        const int slot = checks.SlotAt(position);
        if (slot < 0)
            continue;
        items.names.append(checks.GetItemName(slot));
        items.markSlots.append(slot);
    }
    return items;
}
