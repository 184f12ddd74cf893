#include "CardExportContext.h"

#include "CCardStore.h"
#include "CheckListColumns.h"

CardExportContext CardExportContext::Of(const CCardStore &store)
{
    CardExportContext context;
    context.checks = CheckListColumns(store.GetCheckList());
    for (int group = 0; group < CCardStore::GroupCount(); ++group)
        context.groupNames.append(store.GetGroupName(group));
    context.imageFolder = store.ImageFolder();
    return context;
}
