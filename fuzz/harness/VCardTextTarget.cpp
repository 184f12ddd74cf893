#include "FuzzTargets.h"

#include "FuzzCheck.h"
#include "ImportBench.h"
#include "ScratchFolder.h"
#include "VCardReader.h"

#include <QDir>

namespace Fuzz {

void VCardText(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("vcard_text"));
    const QByteArray text = input.toByteArray();
    const QString photos = folder.File(QStringLiteral("read"));
    QList<VCARD_DATA> entries;
    const bool read = ReadVCardText(text, photos, entries);
    Check(read == !entries.isEmpty(), "text counts as read exactly when it completed an entry");
    for (const VCARD_DATA &entry : entries)
        for (const PROPERTY &photo : entry.photos)
            Check(!photo.values.isEmpty() && QFile::exists(QDir(photos).filePath(photo.values.last())),
                  "every photo of an entry names a file that was written");

    // A pushed object: only its first entry is imported.
    ImportBench bench(folder);
    ImportCounters counters;
    Check(bench.Engine().BeginRun(), "an import run starts");
    const bool imported = bench.Engine().ImportVCardText(
        text, bench.PhotoFolder(), QStringLiteral("push.vcf"), QStringLiteral("2024/01/02"), counters);
    Check(bench.Engine().EndRun(), "an import run ends");
    Check(!imported || counters.added + counters.overwritten + counters.skipped == 1,
          "an imported text gives exactly one card");
    bench.CheckStored(counters);
}

} // namespace Fuzz
