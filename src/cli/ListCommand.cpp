#include "CCardStore.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "CliStore.h"

namespace {

bool ReadNumber(const QStringList &args, qsizetype at, int *value)
{
    bool ok = false;
    if (at < args.size())
        *value = args[at].toInt(&ok);
    return ok;
}

int RunList(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString path;
    int row = -1, tab = -1, sort = -1;
    bool ok = true;
    for (qsizetype i = 0; i < args.size() && ok; ++i) {
        if (args[i] == QLatin1String("--row"))
            ok = ReadNumber(args, ++i, &row);
        else if (args[i] == QLatin1String("--tab"))
            ok = ReadNumber(args, ++i, &tab);
        else if (args[i] == QLatin1String("--sort"))
            ok = ReadNumber(args, ++i, &sort);
        else if (path.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            path = args[i];
        else
            ok = false;
    }
    const bool byTab = row >= 0 || tab >= 0;
    if (!ok || path.isEmpty() || (byTab && (row < 0 || tab < 0)) || (sort >= 0 && !byTab)) {
        err << "usage: tessaly-cli list FILE.ovd [--row R --tab T [--sort K]]\n";
        return 2;
    }
    CCardStore store;
    if (!CliOpenStore(store, path, err))
        return 1;
    if (!byTab) {
        for (int s = 0; s < store.Count(); ++s) {
            if (!store.CardAt(s)->Id().isEmpty())
                CliPrintCard(store, *store.CardAt(s), out);
        }
        return 0;
    }
    if (row >= 3 || tab >= store.TabCount(row)) {
        err << "tessaly-cli list: no tab " << tab << " in row " << row << "\n";
        return 2;
    }
    if (sort >= 0 && !store.SetSortKind(row, tab, sort)) {
        err << "tessaly-cli list: sort kind must be 0-6\n";
        return 2;
    }
    for (CCardData *card : store.TabCopy(row, tab))
        CliPrintCard(store, *card, out);
    return 0;
}

} // namespace

TESSALY_CLI_COMMAND(list, "list", "list FILE.ovd [--row R --tab T [--sort K]]   print cards, tab-separated",
                    RunList);
