#include "CliStore.h"

#include "CCardStore.h"

bool CliOpenStore(CCardStore &store, const QString &path, QTextStream &err)
{
    if (store.Open(path))
        return true;
    err << path << ": " << QString::fromUtf8("管理ファイルが不正です。") << "\n";
    return false;
}
