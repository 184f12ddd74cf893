#include "CliImportSupport.h"

#include "AppPaths.h"
#include "CCardData.h"
#include "CCardStore.h"
#include "CImportEngine.h"
#include "CImportFilesWorker.h"
#include "CSettings.h"
#include "CliStore.h"
#include "ImportSummary.h"

#include <QFileInfo>

ImportOptions CliImportOptions()
{
    CSettings settings;
    const QString path = AppPaths::ExistingSettingsFile();
    if (!path.isEmpty())
        settings.ReadAll(path);
    ImportOptions options;
    options.autoYomi = settings.options.autoYomi;
    options.skipCheckFixedData = settings.options.skipCheckFixedData;
    return options;
}

bool CliParseSameName(const QString &text, OverwriteAnswer *answer)
{
    if (text == QLatin1String("overwrite"))
        *answer = AnswerOverwriteAll;
    else if (text == QLatin1String("add"))
        *answer = AnswerAddAll;
    else if (text == QLatin1String("skip"))
        *answer = AnswerSkipAll;
    else
        return false;
    return true;
}

bool CliOpenOrCreateStore(CCardStore &store, const QString &path, QTextStream &err)
{
    // A dangling link or a FIFO is not a missing file: Open tells what it is.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return CliOpenStore(store, path, err);
    if (store.CreateNew(path))
        return true;
    err << path << ": " << QString::fromUtf8("管理ファイルの作成に失敗しました。") << ' '
        << StoreErrorText(store.LastError()) << '\n';
    return false;
}

void CliPrintMessage(const UserMessage &message, QTextStream &out)
{
    out << message.caption << '\n' << message.text;
    if (!message.text.endsWith(QLatin1Char('\n')))
        out << '\n';
}

QString CliField(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

void CliPrintCard(const CCardStore &store, const CCardData &card, QTextStream &out)
{
    out << store.SlotOf(&card) << '\t' << CliField(card.Id()) << '\t' << CliField(card.Name()) << '\t'
        << CliField(card.YomiName()) << '\t' << CliField(card.Company()) << '\t' << CliField(card.Phone(0))
        << '\t' << CliField(card.Mail(0)) << '\n';
}

ImportCounters CliImportVCardFiles(CCardStore &store, const QStringList &paths, OverwriteAnswer sameName,
                                   QTextStream &out)
{
    CliSameNameAnswer answer(sameName);
    CImportEngine engine(store, CliImportOptions(), &answer);
    CImportFilesWorker worker(engine, paths);
    worker.Run(); // no window to keep responsive: the run is done in place
    const ImportCounters counters = worker.Counters();
    CliPrintMessage(ImportSummary::VCard(counters, false), out);
    return counters;
}
