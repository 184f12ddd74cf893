#include "FuzzTargets.h"

#include "CCardStore.h"
#include "CINIFile.h"
#include "CPrint.h"
#include "CSettings.h"
#include "CheckListColumns.h"
#include "FuzzCheck.h"
#include "ScratchFolder.h"

namespace Fuzz {

namespace {

// The values that reach the store and the print engine are used there as the program uses them.
void UseValues(CSettings &settings, const ScratchFolder &folder)
{
    CCardStore store(&settings.store);
    store.SetSyncWrites(false);
    Check(store.CreateNew(folder.File(QStringLiteral("cards.ovd"))), "a store starts with any settings");
    for (int n = -1; n <= CCardStore::GroupSlots; ++n) {
        store.GetGroupName(n);
        store.GetGroupIcon(n);
    }
    const CheckListItems checks = CheckListColumns(store.GetCheckList());
    Check(checks.names.size() == checks.markSlots.size() && checks.names.size() <= CSettings::CheckListMax,
          "the check list has at most its maximum of items, each with a mark slot");
    for (int slot : checks.markSlots)
        Check(slot >= 0 && slot < CSettings::CheckListMax,
              "every check-list item has a mark slot a card holds");

    CPrint print;
    print.LoadFrom(settings.print);
    for (int mode : {int(CPrint::ModeList), int(CPrint::ModeLabel)}) {
        print.Mode = mode;
        print.CheckMargins();
        print.ClampMargins();
    }
    for (int i = 0; i < print.SealPaperInfo.size(); ++i)
        print.ApplySealPaperInfo(i);
    print.StoreTo(settings.print);
}

} // namespace

void SettingsFile(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("settings_file"));

    // The profile text: read, written and read again, it stays the same.
    CINIFile ini;
    ini.Parse(input.toByteArray());
    const QByteArray text = ini.ToBytes();
    CINIFile again;
    again.Parse(text);
    Check(again.ToBytes() == text, "a written profile reads back as it was");

    const QString path = folder.Write(QStringLiteral("Tessaly.ini"), input);
    CSettings settings;
    settings.ReadAll(path);
    const QByteArray written = settings.ToBytes();
    const QString rewritten = folder.File(QStringLiteral("Rewritten.ini"));
    Check(settings.WriteAll(rewritten), "the settings can be written");
    CSettings reread;
    reread.ReadAll(rewritten);
    Check(reread.ToBytes() == written, "written settings read back as they were");

    UseValues(settings, folder);
}

} // namespace Fuzz
