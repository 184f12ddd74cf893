#include "CCardStore.h"
#include "CDuplicateFinder.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "CliStore.h"

namespace {

// Each group as a line "group", its number and its reasons, then its cards,
// newest first, each as `list` prints it after the group's number.
int RunDuplicates(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        err << "usage: tessaly-cli duplicates FILE.ovd\n";
        return 2;
    }
    CCardStore store;
    if (!CliOpenStore(store, args[0], err))
        return 1;
    const QList<DuplicateGroup> groups = CDuplicateFinder::Find(CDuplicateFinder::Snapshot(store));
    if (groups.isEmpty()) {
        CliPrintMessage(CDuplicateFinder::NoneFoundMessage(), err);
        return 1;
    }
    for (qsizetype g = 0; g < groups.size(); ++g) {
        out << "group\t" << g + 1 << '\t' << CliField(groups[g].ReasonsText()) << '\n';
        for (int slot : groups[g].cardSlots) {
            out << g + 1 << '\t';
            CliPrintCard(store, *store.CardAt(slot), out);
        }
    }
    return 0;
}

} // namespace

TESSALY_CLI_COMMAND(duplicates, "duplicates",
                    "duplicates FILE.ovd   print groups of cards that are probably one person's",
                    RunDuplicates);
