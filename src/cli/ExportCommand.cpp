#include "CCardStore.h"
#include "CardExportContext.h"
#include "CardExporter.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "CliStore.h"
#include "ExportFormat.h"
#include "MappingFile.h"
#include "VCardExporter.h"

namespace {

int Usage(QTextStream &err)
{
    err << "usage: tessaly-cli export FILE.ovd OUT.csv [--mapping MAP.cor]\n"
           "       tessaly-cli export FILE.ovd OUT.vcf [--vcard 3.0|2.1] [--photos]\n";
    return 2;
}

int RunExport(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList paths;
    QString mappingPath;
    QString form;
    bool photos = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mapping") && i + 1 < args.size())
            mappingPath = args[++i];
        else if (args[i] == QLatin1String("--vcard") && i + 1 < args.size())
            form = args[++i];
        else if (args[i] == QLatin1String("--photos"))
            photos = true;
        else if (args[i].startsWith(QLatin1String("--")))
            return Usage(err);
        else
            paths << args[i];
    }
    if (paths.size() != 2 ||
        (!form.isEmpty() && form != QLatin1String("3.0") && form != QLatin1String("2.1")))
        return Usage(err);
    ExportFormat format;
    if (form == QLatin1String("2.1"))
        format.kind = ExportFormat::VCard21;
    else if (!form.isEmpty() || paths[1].endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive))
        format.kind = ExportFormat::VCard30;
    format.photos = photos;
    // A column mapping is for CSV only, photos for vCard only.
    if (format.IsVCard() ? !mappingPath.isEmpty() : photos)
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
    const CardExportContext context = CardExportContext::Of(store);
    const bool written = format.IsVCard()
                             ? VCardExporter(format.Form(), format.photos, context).WriteFile(paths[1], cards)
                             : CardExporter::WriteFile(paths[1], cards, mapping, context.checks);
    if (!written) {
        CliPrintMessage(CardExporter::FailedMessage(), err);
        return 1;
    }
    out << cards.size() << '\n';
    return 0;
}

} // namespace

TESSALY_CLI_COMMAND(export_, "export",
                    "export FILE.ovd OUT.csv [--mapping MAP.cor] | OUT.vcf [--vcard 3.0|2.1] [--photos]   "
                    "write every card to a CSV or vCard file",
                    RunExport);
