#include "CCardStore.h"
#include "CliRegistry.h"
#include "CliStore.h"

namespace {

int RunCheck(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1) {
        err << "usage: tessaly-cli check FILE.ovd\n";
        return 2;
    }
    CCardStore store;
    if (!CliOpenStore(store, args.first(), err))
        return 1;
    const CCardStore::OpenReport &report = store.LastOpenReport();
    out << store.LiveCount() << " cards";
    if (report.repairState == 0)
        out << ", clean";
    else if (!report.rewritten)
        out << (report.repairState == 1 ? ", damaged" : ", needs compaction") << ", could not be rewritten";
    else
        out << (report.repairState == 1 ? ", repaired" : ", compacted");
    if (report.superseded > 0)
        out << ", " << report.superseded << " older card versions replaced by newer ones";
    if (report.droppedCards > 0)
        out << ", " << report.droppedCards << " cards with an unknown group set aside";
    if (!report.backupPath.isEmpty())
        out << ", backup " << report.backupPath;
    out << "\n";
    return 0;
}

} // namespace

TESSALY_CLI_COMMAND(check, "check", "check FILE.ovd   open (repairing if needed) and report the cards",
                    RunCheck);
