#include "CCardStore.h"
#include "CMemoryCard.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"

namespace {

int Usage(QTextStream &err)
{
    err << "usage: tessaly-cli memory-card [--volume DIR]... [--import FILE.ovd [--same-name "
           "overwrite|add|skip]]\n";
    return 2;
}

int RunMemoryCard(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString storePath;
    QStringList volumes;
    OverwriteAnswer sameName = AnswerSkipAll;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--import") && i + 1 < args.size())
            storePath = args[++i];
        else if (args[i] == QLatin1String("--volume") && i + 1 < args.size())
            volumes << args[++i];
        else if (args[i] == QLatin1String("--same-name") && i + 1 < args.size()) {
            if (!CliParseSameName(args[++i], &sameName))
                return Usage(err);
        } else
            return Usage(err);
    }
    if (!volumes.isEmpty()) {
        // Stands in for the mounted volumes, e.g. a copied card image.
        CMemoryCard::SetVolumeLister([volumes] {
            QList<CDriveInfo> list;
            for (const QString &root : volumes)
                list.append(CDriveInfo{root, root, {}, {}, {}});
            return list;
        });
    }
    QStringList folders;
    if (CMemoryCard::FindCardFolders(folders) == 0) {
        CliPrintMessage(CMemoryCard::NoFolderMessage(), err);
        return 1;
    }
    QStringList all;
    for (const QString &folder : folders) {
        out << folder << '\n';
        QStringList files;
        CMemoryCard::ListCardFiles(folder, files);
        for (const QString &file : files)
            out << "  " << file << '\n';
        all += files;
    }
    if (storePath.isEmpty())
        return 0;
    if (all.isEmpty()) {
        CliPrintMessage(CMemoryCard::NoFilesMessage(), err);
        return 1;
    }
    CCardStore store;
    if (!CliOpenOrCreateStore(store, storePath, err))
        return 1;
    const ImportCounters counters = CliImportVCardFiles(store, all, sameName, out);
    return counters.failure.isEmpty() && counters.filesImported == counters.files ? 0 : 1;
}

} // namespace

TESSALY_CLI_COMMAND(memory_card, "memory-card",
                    "memory-card [--volume DIR]... [--import FILE.ovd [--same-name overwrite|add|skip]]   "
                    "list the card folders of mounted volumes and their .vcf files; import them",
                    RunMemoryCard);
