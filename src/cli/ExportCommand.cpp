#include "CCardStore.h"
#include "CardExporter.h"
#include "CheckListColumns.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "CliStore.h"
#include "MappingFile.h"

namespace {

int Usage(QTextStream &err)
{
    err << "usage: tessaly-cli export FILE.ovd OUT.csv [--mapping MAP.cor]\n";
    return 2;
}

int RunExport(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList paths;
    QString mappingPath;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mapping") && i + 1 < args.size())
            mappingPath = args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return Usage(err);
        else
            paths << args[i];
    }
    if (paths.size() != 2)
        return Usage(err);
    ExportMapping mapping = ExportMapping::Default();
    if (!mappingPath.isEmpty()) {
        QList<MappingEntry> entries;
        bool header = false;
        if (!LoadMapping(mappingPath, entries, header)) {
            err << mappingPath << ": " << MappingInvalidMessage() << '\n';
            return 1;
        }
        mapping = ExportMapping::FromEntries(entries, header);
        if (mapping.columns.isEmpty()) {
            CliPrintMessage(CardExporter::NoColumnsMessage(), err);
            return 1;
        }
    }
    CCardStore store;
    if (!CliOpenStore(store, paths[0], err))
        return 1;
    const QList<const CCardData *> cards = CardExporter::AllCards(store);
    if (cards.isEmpty()) {
        CliPrintMessage(CardExporter::NothingToExportMessage(), err);
        return 1;
    }
    if (!CardExporter::WriteFile(paths[1], cards, mapping, CheckListColumns(store.GetCheckList()))) {
        CliPrintMessage(CardExporter::FailedMessage(), err);
        return 1;
    }
    out << cards.size() << '\n';
    return 0;
}

} // namespace

TESSALY_CLI_COMMAND(export_, "export",
                    "export FILE.ovd OUT.csv [--mapping MAP.cor]   write every card to a CSV file",
                    RunExport);
