#include "FuzzTargets.h"

#include "FuzzCheck.h"
#include "ImportBench.h"
#include "ScratchFolder.h"
#include "VCardEntries.h"
#include "VCardFileReader.h"
#include "VCardReader.h"

#include <QDir>

namespace Fuzz {

namespace {

// The photo files a reading wrote, by name.
QList<QPair<QString, QByteArray>> PhotoFiles(const QString &folder)
{
    QList<QPair<QString, QByteArray>> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        files.append({name, ScratchFolder::Read(QDir(folder).filePath(name))});
    return files;
}

} // namespace

void VCardFile(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("vcard_file"));
    const QString path = folder.Write(QStringLiteral("cards.vcf"), input);

    // All at once (a large file in two halves on two threads) and a few entries
    // at a time (as the import's reading thread does) must agree.
    const QString wholePhotos = folder.File(QStringLiteral("whole"));
    QList<VCARD_DATA> whole;
    const bool read = ReadVCardFile(path, wholePhotos, whole);
    Check(read == !whole.isEmpty(), "a file counts as read exactly when it completed an entry");

    const QString batchPhotos = folder.File(QStringLiteral("batches"));
    VCardFileReader reader;
    Check(reader.Open(path, batchPhotos), "a vCard file opens");
    QList<VCARD_DATA> batched;
    while (reader.Read(batched, 2) == 2) {
    }
    Check(SameEntries(whole, batched), "a file read at once and read in batches gives the same entries");
    Check(PhotoFiles(wholePhotos) == PhotoFiles(batchPhotos), "both readings write the same photos");

    ImportBench bench(folder);
    ImportCounters counters;
    Check(bench.Engine().BeginRun(), "an import run starts");
    bench.Engine().ImportVCardSource(path, bench.PhotoFolder(), QStringLiteral("cards.vcf"),
                                     QStringLiteral("2024/01/02"), counters);
    Check(bench.Engine().EndRun(), "an import run ends");
    Check(counters.added + counters.overwritten + counters.skipped <= whole.size(),
          "no more cards are imported than the file holds");
    bench.CheckStored(counters);
}

} // namespace Fuzz
