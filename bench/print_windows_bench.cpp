// The print windows over 10,000 cards of the shared workload, all marked:
// opening the print dialog, switching its tabs, turning a preview page.
#include "CCardStore.h"
#include "CDevMode.h"
#include "CPdfFileDevice.h"
#include "CPrintDlg.h"
#include "CPrintPreviewFrame.h"
#include "CPrintPreviewView.h"
#include "CPrintSetListPage.h"
#include "IMessageBox.h"
#include "IPrintSystem.h"
#include "PrintSettings.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>

#include "BenchSupport.h"
#include "WorkloadStore.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int CardCount = 10000;

class NoMessages : public IMessageBox
{
public:
    QMessageBox::StandardButton Show(QWidget *, const QString &, const QString &, QMessageBox::Icon,
                                     QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        return QMessageBox::Yes;
    }
};

// One printer that prints into a PDF file: no spooler in the figures.
class PdfPrinter : public IPrintSystem
{
public:
    QStringList PrinterNames() override { return {QStringLiteral("PDF")}; }
    QString DefaultPrinterName() override { return QStringLiteral("PDF"); }
    std::unique_ptr<IPrinterDevice> OpenPrinter(const QString &, QByteArray &devMode, bool) override
    {
        devMode = CDevMode::ForPage(QPageSize(QPageSize::A4), QPageLayout::Portrait, "PDF").Encode();
        return std::make_unique<CPdfFileDevice>(m_dir.filePath(QStringLiteral("out.pdf")),
                                                QPageSize(QPageSize::A4), QPageLayout::Portrait);
    }
    bool EditProperties(const QString &, QByteArray &, QObject *) override { return false; }
    quint32 PrinterStatus(const QString &) override { return 0; }

private:
    QTemporaryDir m_dir;
};

struct Workload
{
    QTemporaryDir dir;
    CCardStore store;
    QList<CCardData *> cards; // the all-cards tab, every card marked
    PdfPrinter printer;
    NoMessages messages;
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

std::unique_ptr<CPrintDlg> OpenDialog(PrintSettings &settings)
{
    Workload &w = Cards();
    auto dialog = std::make_unique<CPrintDlg>(settings, w.cards, &w.printer, w.messages,
                                              QStringLiteral("bench"), QString());
    dialog->Prepare();
    dialog->show();
    QApplication::processEvents();
    return dialog;
}

// Arg: 1 = the list wraps its cells (every cell is measured for the page count).
void BM_OpenPrintDialog(benchmark::State &state)
{
    Cards();
    PrintSettings settings = PrintSettings::Defaults();
    settings.TurnDown = state.range(0) != 0;
    int pages = 0;
    for (auto _ : state) {
        auto dialog = OpenDialog(settings);
        pages = dialog->PageCount();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.counters["cards"] = CardCount;
    state.counters["pages"] = pages;
}
BENCHMARK(BM_OpenPrintDialog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// One switch per iteration, alternating リスト and タックシール.
void BM_SwitchTab(benchmark::State &state)
{
    PrintSettings settings = PrintSettings::Defaults();
    settings.TurnDown = state.range(0) != 0;
    auto dialog = OpenDialog(settings);
    int tab = 0;
    for (auto _ : state) {
        tab = 1 - tab;
        dialog->Tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    state.counters["pages"] = dialog->PageCount();
}
BENCHMARK(BM_SwitchTab)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(6);

// Arg: 0 a list page, 1 a label sheet. Each iteration shows the next page,
// drawn afresh, in the whole-page state.
void BM_TurnPreviewPage(benchmark::State &state)
{
    PrintSettings settings = PrintSettings::Defaults();
    auto dialog = OpenDialog(settings);
    dialog->Tabs()->setCurrentIndex(int(state.range(0)));
    dialog->PreviewButton()->click();
    QApplication::processEvents();
    CPrintPreviewView *view = dialog->PreviewFrame()->View();
    for (auto _ : state) {
        view->SetPage(view->Page() < view->Last() ? view->Page() + 1 : view->First());
        view->viewport()->repaint();
    }
    state.counters["pages"] = view->Last();
    dialog->PreviewFrame()->End();
}
BENCHMARK(BM_TurnPreviewPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
