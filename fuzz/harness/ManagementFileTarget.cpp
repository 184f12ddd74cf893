#include "FuzzTargets.h"

#include "CCardStore.h"
#include "CManagementScan.h"
#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "StoreSnapshot.h"

#include <QFile>

namespace Fuzz {

namespace {

CCardData *FirstStored(const CCardStore &store, int from, int step)
{
    for (int slot = from; slot >= 0 && slot < store.Count(); slot += step) {
        CCardData *card = store.CardAt(slot);
        if (card && !card->Id().isEmpty())
            return card;
    }
    return nullptr;
}

// One edit, one new card and one deletion, written into the file as the program writes them.
void Change(CCardStore &store)
{
    if (CCardData *first = FirstStored(store, 0, 1)) {
        CCardData edited(*first);
        edited.SetMemo(edited.Memo() + QStringLiteral("追記"));
        Check(store.Replace(edited, first) != nullptr, "a card of a reopened file can be changed");
    }
    CCardData added;
    added.SetName(QStringLiteral("追加 太郎"));
    added.SetYomiName(QStringLiteral("ﾂｲｶ ﾀﾛｳ"));
    Check(store.AddCard(added) != nullptr, "a card can be added to a reopened file");
    CCardData *last = FirstStored(store, store.Count() - 1, -1);
    if (last && last != FirstStored(store, 0, 1))
        Check(store.Delete(last), "a card of a reopened file can be deleted");
}

} // namespace

void ManagementFile(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("management"));
    const QString path = folder.Write(QStringLiteral("cards.ovd"), input);

    CCardStore first;
    first.SetSyncWrites(false);
    if (!first.Open(path)) {
        Check(!first.IsUsable(), "a refused file leaves no file open");
        Check(ScratchFolder::Read(path) == input, "a refused file is left as it was");
        return;
    }
    const CCardStore::OpenReport report = first.LastOpenReport();
    const StoreSnapshot opened = StoreSnapshot::Of(first);
    Check(opened.live <= first.Count(), "no more live cards than slots");
    Check(report.repairState >= 0 && report.repairState <= 2, "the repair state is one of three");
    if (report.repairState != 0)
        Check(report.rewritten, "a file that needs repair is rewritten (the folder is writable)");
    if (report.repairState == 0 && report.droppedCards == 0)
        Check(ScratchFolder::Read(path) == input, "a clean file is not rewritten");
    if (!report.backupPath.isEmpty()) {
        // Kept before the rewrite; a file that only needed compaction is kept once it is
        // compacted, still holding the cards dropped from the store.
        const QByteArray backup = ScratchFolder::Read(report.backupPath);
        CManagementScan scan;
        if (report.repairState != 2)
            Check(backup == input, "the backup holds the file as it was");
        else
            Check(scan.Run(backup) && int(scan.Cards().size()) == opened.live + report.droppedCards,
                  "the backup holds every card, the dropped ones too");
    }
    if (report.repairState == 1)
        Check(!report.backupPath.isEmpty(), "a damaged file is kept as a backup");

    // The program's own rewrite must open clean, with the same cards.
    CCardStore second;
    second.SetSyncWrites(false);
    Check(second.Open(path), "a rewritten file opens");
    if (report.droppedCards == 0)
        Check(second.LastOpenReport().repairState == 0, "a rewritten file opens clean");
    else
        Check(second.LastOpenReport().repairState != 1, "a file with dropped cards is not damaged");
    Check(second.LastOpenReport().droppedCards == 0, "cards dropped once are gone");
    Check(StoreSnapshot::Of(second) == opened, "a rewritten file holds the cards that were shown");

    // Changes written into it (in place or appended, with records found by the scan)
    // must read back as the store shows them.
    Change(second);
    const StoreSnapshot changed = StoreSnapshot::Of(second);
    CCardStore third;
    third.SetSyncWrites(false);
    Check(third.Open(path), "a changed file opens");
    Check(third.LastOpenReport().repairState != 1, "a changed file is not damaged");
    Check(StoreSnapshot::Of(third).Sorted() == changed.Sorted(),
          "a changed file holds the cards the store showed");
}

} // namespace Fuzz
