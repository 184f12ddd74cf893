#include "CliStore.h"

#include "CCardStore.h"

bool CliOpenStore(CCardStore &store, const QString &path, QTextStream &err)
{
    if (store.Open(path))
        return true;
    err << path << ": " << StoreErrorText(store.LastError()) << "\n";
    return false;
}
