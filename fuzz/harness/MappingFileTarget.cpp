#include "FuzzTargets.h"

#include "CCardData.h"
#include "CCheckArray.h"
#include "CardExporter.h"
#include "Csv.h"
#include "CsvItem.h"
#include "FuzzCheck.h"
#include "ImportMapping.h"
#include "MappingFile.h"
#include "ScratchFolder.h"

namespace Fuzz {

namespace {

CheckListItems FullCheckList()
{
    CheckListItems checks;
    for (int i = 0; i < CCheckArray::MaxItems; ++i) {
        checks.names << QStringLiteral("項目%1").arg(i);
        checks.markSlots << CCheckArray::MaxItems - 1 - i;
    }
    return checks;
}

} // namespace

void MappingFile(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("mapping_file"));
    const QString path = folder.Write(QStringLiteral("columns.cor"), input);
    const QList<MappingEntry> untouched = {{7, 1}};
    QList<MappingEntry> entries = untouched;
    bool header = true;
    if (!LoadMapping(path, entries, header)) {
        Check(entries == untouched && header, "a refused mapping file changes nothing");
        return;
    }
    Check(20 + 5 * entries.size() <= input.size(), "every entry was in the file");
    const CheckListItems checks = FullCheckList();
    for (const MappingEntry &entry : entries)
        Check(entry.itemId == CsvItemEmpty || !CsvItem::Name(entry.itemId, checks).isEmpty(),
              "every item id is one of the item table");

    // Saved again, it loads as the same mapping.
    const QString again = folder.File(QStringLiteral("again.cor"));
    Check(SaveMapping(again, entries, header), "a loaded mapping can be saved");
    QList<MappingEntry> reloaded;
    bool reloadedHeader = !header;
    Check(LoadMapping(again, reloaded, reloadedHeader) && reloaded == entries && reloadedHeader == header,
          "a saved mapping loads as it was");

    // The import side applies it to a row, the export side writes a card with it.
    QString message;
    if (!ImportMapping::ValidateImportMapping(entries, checks, &message))
        Check(!message.isEmpty(), "a refused import mapping says why");
    QStringList row;
    const QStringList samples = {QStringLiteral("山田"), QStringLiteral("2024/01/02"), QStringLiteral("1"),
                                 QStringLiteral("CELL;WORK"), QStringLiteral("やや高")};
    for (qsizetype i = 0; i < entries.size(); ++i)
        row << samples[i % samples.size()];
    CCardData card;
    ImportMapping::ApplyRow(row, entries, checks, false, card);

    const ExportMapping mapping = ExportMapping::FromEntries(entries, header);
    const QString csvPath = folder.File(QStringLiteral("export.csv"));
    if (mapping.columns.isEmpty())
        return;
    Check(CardExporter::WriteFile(csvPath, {&card}, mapping, checks), "a card can be exported with it");
    Csv csv(csvPath);
    QStringList first;
    Check(csv.ReadRow(first), "the export has a first row");
    Check(first.size() == mapping.columns.size(), "the export has one column per mapped column");
}

} // namespace Fuzz
