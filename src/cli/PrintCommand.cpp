#include "AppPaths.h"
#include "CCardStore.h"
#include "CCupsPrintSystem.h"
#include "CDevMode.h"
#include "CPdfFileDevice.h"
#include "CPrint.h"
#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"
#include "CSettings.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "CliStore.h"
#include "IPrintTarget.h"
#include "IPrinterDevice.h"
#include "JobStatus.h"
#include "PrintTexts.h"

#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <csignal>

namespace {

#define PRINT_USAGE                                                                                          \
    "print FILE.ovd --mode list|labels [--row R --tab T [--sort K]] [--printer NAME | --pdf OUT.pdf] "       \
    "[--from N] [--to M]"

std::atomic_bool g_cancel{false};

void OnInterrupt(int)
{
    g_cancel = true;
}

struct Options
{
    QString path;
    int mode = -1;
    int row = -1, tab = -1, sort = -1;
    QString printer;
    QString pdf;
    int from = 0, to = 0;
};

bool ReadNumber(const QStringList &args, qsizetype at, int *value)
{
    bool ok = false;
    if (at < args.size())
        *value = args[at].toInt(&ok);
    return ok;
}

bool ReadText(const QStringList &args, qsizetype at, QString *value)
{
    if (at >= args.size() || args[at].isEmpty())
        return false;
    *value = args[at];
    return true;
}

bool Parse(const QStringList &args, Options &o)
{
    bool ok = true;
    for (qsizetype i = 0; i < args.size() && ok; ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--mode")) {
            QString mode;
            ok = ReadText(args, ++i, &mode);
            o.mode = mode == QLatin1String("list")     ? CPrint::ModeList
                     : mode == QLatin1String("labels") ? CPrint::ModeLabel
                                                       : -1;
            ok = ok && o.mode >= 0;
        } else if (a == QLatin1String("--row")) {
            ok = ReadNumber(args, ++i, &o.row) && o.row >= 0;
        } else if (a == QLatin1String("--tab")) {
            ok = ReadNumber(args, ++i, &o.tab) && o.tab >= 0;
        } else if (a == QLatin1String("--sort")) {
            ok = ReadNumber(args, ++i, &o.sort) && o.sort >= 0;
        } else if (a == QLatin1String("--printer")) {
            ok = ReadText(args, ++i, &o.printer);
        } else if (a == QLatin1String("--pdf")) {
            ok = ReadText(args, ++i, &o.pdf);
        } else if (a == QLatin1String("--from")) {
            ok = ReadNumber(args, ++i, &o.from) && o.from >= 1;
        } else if (a == QLatin1String("--to")) {
            ok = ReadNumber(args, ++i, &o.to) && o.to >= 1;
        } else if (o.path.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            o.path = a;
        } else {
            ok = false;
        }
    }
    const bool byTab = o.row >= 0 || o.tab >= 0;
    return ok && !o.path.isEmpty() && o.mode >= 0 && (!byTab || (o.row >= 0 && o.tab >= 0)) &&
           (o.sort < 0 || byTab) && (o.printer.isEmpty() || o.pdf.isEmpty());
}

void Message(const QString &text, QTextStream &err)
{
    CliPrintMessage(UserMessage{PrintTexts::Caption(), text, UserMessage::Warning}, err);
}

// The printer named on the command line, else the stored one when it is still
// there (with its device settings), else the system's default.
bool ChoosePrinter(CPrint &print, const Options &o, QTextStream &err)
{
    QStringList names;
    if (!print.EnumPrinterNames(names)) {
        Message(PrintTexts::NoPrinter(), err);
        return false;
    }
    bool opened = false;
    if (!o.printer.isEmpty())
        opened = print.SetPrinter(o.printer, o.printer.compare(print.PrinterName, Qt::CaseInsensitive) == 0);
    else if (!print.PrinterName.isEmpty() && names.contains(print.PrinterName, Qt::CaseInsensitive))
        opened = print.SetPrinter(print.PrinterName, true);
    else
        opened = print.SetPrinter(QString(), false);
    if (!opened)
        Message(PrintTexts::PrinterInfoFailed(), err);
    return opened;
}

int RunPrint(const QStringList &args, QTextStream &out, QTextStream &err)
{
    Options o;
    if (!Parse(args, o)) {
        err << "usage: tessaly-cli " PRINT_USAGE "\n";
        return 2;
    }
    CCardStore store;
    if (!CliOpenStore(store, o.path, err))
        return 1;
    const int row = o.row >= 0 ? o.row : 0;
    const int tab = o.tab >= 0 ? o.tab : CCardIndex::AllTabOf(0);
    if (row >= CCardIndex::RowCount || tab >= store.TabCount(row)) {
        err << "tessaly-cli print: no tab " << tab << " in row " << row << "\n";
        return 2;
    }
    if (o.sort >= 0 && !store.SetSortKind(row, tab, o.sort)) {
        err << "tessaly-cli print: sort kind must be 0-6\n";
        return 2;
    }
    const QList<CCardData *> cards = store.TabCopy(row, tab);
    if (std::none_of(cards.begin(), cards.end(), [](const CCardData *c) { return c->Print(); })) {
        Message(PrintTexts::NoMarkedCard(), err);
        return 1;
    }

    CSettings settings;
    settings.ReadAll(AppPaths::SettingsFilePath());
    CCupsPrintSystem system;
    CPrint print(&system);
    print.LoadFrom(settings.print);
    print.Mode = o.mode;
    if (!o.pdf.isEmpty()) {
        CDevMode paper;
        CDevMode::Decode(print.DevMode, &paper);
        print.SetDevice(std::make_unique<CPdfFileDevice>(o.pdf, paper.PageSize(), paper.PageOrientation()));
    } else if (!ChoosePrinter(print, o, err)) {
        return 1;
    }
    if (print.CheckMargins() >= 5) {
        Message(PrintTexts::MarginTooLarge(), err);
        return 1;
    }

    CPrintPreviewWnd view(print);
    const int pages = view.PaginateMode(cards);
    if (o.from > std::max(pages, 1) || (o.to > 0 && o.to > std::max(pages, 1))) {
        err << "tessaly-cli print: the document has " << pages << " pages\n";
        return 2;
    }
    print.FromPage = o.from;
    print.ToPage = o.to;

    std::unique_ptr<IPrintTarget> target = print.Device()->NewJob();
    CPrintJob job(view);
    g_cancel = false;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction previous = {};
    sigaction(SIGINT, &action, &previous);
    const CPrintJob::Result result = job.Run(cards, *target, QFileInfo(o.path).completeBaseName(), &g_cancel);
    sigaction(SIGINT, &previous, nullptr);

    switch (result) {
    case CPrintJob::Printed:
        out << job.PagesSent() << "\n";
        return 0;
    case CPrintJob::NotStarted:
        Message(CPrintJob::NotStartedMessage(), err);
        return 1;
    case CPrintJob::Cancelled:
        err << "tessaly-cli print: cancelled after " << job.PagesSent() << " pages\n";
        return 130;
    case CPrintJob::Failed:
        err << "tessaly-cli print: " << JobStatus::Text(job.Status()) << " (" << job.PagesSent()
            << " pages sent)\n";
        return 1;
    }
    return 1;
}

} // namespace

TESSALY_CLI_COMMAND(print, "print", PRINT_USAGE "   print the marked cards, or write them to a PDF file",
                    RunPrint);
