// List pagination and drawing, and label sheets to a PDF file, over 10,000
// cards of the shared workload, all marked for printing.
#include "CCardStore.h"
#include "CPdfFileDevice.h"
#include "CPrint.h"
#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"
#include "IPrintTarget.h"
#include "PrintSettings.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "BenchSupport.h"
#include "WorkloadStore.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int CardCount = 10000;

struct Workload
{
    QTemporaryDir dir;
    CCardStore store;
    QList<CCardData *> cards; // the all-cards tab, every card marked
};

Workload &Cards()
{
    static std::unique_ptr<Workload> w = [] {
        auto w = std::make_unique<Workload>();
        w->store.CreateNew(w->dir.filePath(QStringLiteral("cards.ovd")));
        ImportWorkload(w->store, w->dir.path(), CardCount);
        w->cards = w->store.TabCopy(0, CCardIndex::AllTabOf(0));
        for (CCardData *c : w->cards)
            c->SetPrint(true);
        return w;
    }();
    return *w;
}

void ListSettings(CPrint &print)
{
    print.LoadFrom(PrintSettings::Defaults()); // the eight default columns
    print.TurnDown = true;
}

void BM_ListPaginateWrapped(benchmark::State &state)
{
    Workload &w = Cards();
    CPrint print;
    ListSettings(print);
    CPrintPreviewWnd view(print);
    int pages = 0;
    for (auto _ : state)
        pages = view.Paginate(w.cards, false);
    state.counters["cards"] = double(w.cards.size());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ListPaginateWrapped)->Unit(benchmark::kMillisecond)->Iterations(3);

// One full wrapped page onto a PDF page, as a printer job draws it.
void BM_ListDrawPagePdf(benchmark::State &state)
{
    Workload &w = Cards();
    CPrint print;
    ListSettings(print);
    CPrintPreviewWnd view(print);
    view.Paginate(w.cards, false);
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("page.pdf")));
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    const QRectF paper(0, 0, writer.width(), writer.height());
    for (auto _ : state) {
        view.DrawListPage(painter, paper, 1);
        writer.newPage();
    }
    state.counters["rows"] = double(view.Pages().first().size());
}
BENCHMARK(BM_ListDrawPagePdf)->Unit(benchmark::kMillisecond);

// The same page onto a preview image of 150 dpi.
void BM_ListDrawPagePreview(benchmark::State &state)
{
    Workload &w = Cards();
    CPrint print;
    ListSettings(print);
    CPrintPreviewWnd view(print);
    view.Paginate(w.cards, false);
    QImage image(1240, 1754, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        view.DrawListPage(painter, image.rect(), 1);
    }
}
BENCHMARK(BM_ListDrawPagePreview)->Unit(benchmark::kMillisecond);

// 10,000 labels on 2,500 sheets of the default 2 × 2 into a PDF file.
void BM_LabelSheetsToPdf(benchmark::State &state)
{
    Workload &w = Cards();
    CPrint print;
    print.LoadFrom(PrintSettings::Defaults());
    print.Mode = CPrint::ModeLabel;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.pdf"));
    print.SetDevice(std::make_unique<CPdfFileDevice>(path, QPageSize(QPageSize::A4), QPageLayout::Portrait));
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    for (auto _ : state) {
        auto target = print.Device()->NewJob();
        if (job.Run(w.cards, *target, QStringLiteral("labels")) != CPrintJob::Printed)
            state.SkipWithError("the job failed");
    }
    state.counters["sheets"] = job.PagesSent();
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_LabelSheetsToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
