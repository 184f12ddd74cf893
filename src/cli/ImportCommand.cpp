#include "CCardStore.h"
#include "CCsvImportRun.h"
#include "CImportEngine.h"
#include "CheckListColumns.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "ImportMapping.h"
#include "ImportSummary.h"
#include "MappingFile.h"

namespace {

int Usage(QTextStream &err)
{
    err << "usage: tessaly-cli import FILE.ovd SOURCE... [--mapping MAP.cor] [--same-name "
           "overwrite|add|skip]\n";
    return 2;
}

// One CSV file through the mapping; false when the run ended in the error state.
bool ImportCsv(CCardStore &store, const QString &path, const QList<MappingEntry> &columns, bool skipFirstRow,
               OverwriteAnswer sameName, QTextStream &out)
{
    CliSameNameAnswer answer(sameName);
    CImportEngine engine(store, CliImportOptions(), &answer);
    CCsvImportRun run(engine, path, columns, skipFirstRow);
    const CsvImportState state = run.Run();
    CliPrintMessage(ImportSummary::Csv(run.Counters(), state), out);
    return state != CsvImportState::Error;
}

int RunImport(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString storePath;
    QString mappingPath;
    QStringList vcards;
    QStringList csvs;
    OverwriteAnswer sameName = AnswerSkipAll;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mapping") && i + 1 < args.size())
            mappingPath = args[++i];
        else if (args[i] == QLatin1String("--same-name") && i + 1 < args.size()) {
            if (!CliParseSameName(args[++i], &sameName))
                return Usage(err);
        } else if (args[i].startsWith(QLatin1String("--")))
            return Usage(err);
        else if (storePath.isEmpty())
            storePath = args[i];
        else if (args[i].endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive))
            vcards << args[i];
        else
            csvs << args[i];
    }
    if (storePath.isEmpty() || (vcards.isEmpty() && csvs.isEmpty()))
        return Usage(err);

    QList<MappingEntry> columns;
    bool firstRowIsHeader = false;
    CCardStore store;
    if (!csvs.isEmpty()) {
        if (mappingPath.isEmpty()) {
            err << "tessaly-cli import: a CSV file needs --mapping MAP.cor\n";
            return 2;
        }
        if (!LoadMapping(mappingPath, columns, firstRowIsHeader)) {
            err << mappingPath << ": " << MappingInvalidMessage() << '\n';
            return 1;
        }
    }
    if (!CliOpenOrCreateStore(store, storePath, err))
        return 1;
    if (!csvs.isEmpty()) {
        QString message;
        if (!ImportMapping::ValidateImportMapping(columns, CheckListColumns(store.GetCheckList()),
                                                  &message)) {
            err << message << '\n';
            return 1;
        }
    }
    bool ok = true;
    if (!vcards.isEmpty()) {
        const ImportCounters counters = CliImportVCardFiles(store, vcards, sameName, out);
        // Every file read and every card written, or the exit code says otherwise.
        ok = counters.failure.isEmpty() && counters.filesImported == counters.files;
    }
    for (const QString &csv : csvs) {
        if (!ok && store.LastError() != StoreError::None)
            break; // writing failed: the next file would fail the same way
        ok = ImportCsv(store, csv, columns, firstRowIsHeader, sameName, out) && ok;
    }
    return ok ? 0 : 1;
}

} // namespace

TESSALY_CLI_COMMAND(import, "import",
                    "import FILE.ovd SOURCE... [--mapping MAP.cor] [--same-name overwrite|add|skip]   "
                    "import vCard files and CSV files",
                    RunImport);
