// From an existing management file to the main window shown with the list filled,
// and scrolling the table through a large tab.
//   bench_app_startup                      runs the benchmarks (100,000 cards)
//   bench_app_startup --make FILE COUNT    only writes a management file of COUNT cards
//   bench_app_startup --shot FILE OUTDIR   saves pictures of the main window (list, thumbnails)

#include "CCardFileWriter.h"
#include "CCardListView.h"
#include "CCardStore.h"
#include "CMainFrame.h"
#include "CQtMessageBox.h"
#include "CSettings.h"
#include "CTessalyDlg.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QString MakeFile(const QString &path, int count)
{
    static const char *const family[] = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "中村"};
    static const char *const familyYomi[] = {"ﾔﾏﾀﾞ", "ｻﾄｳ", "ｽｽﾞｷ", "ﾀｶﾊｼ", "ﾀﾅｶ", "ｲﾄｳ", "ﾜﾀﾅﾍﾞ", "ﾅｶﾑﾗ"};
    static const char *const given[] = {"太郎", "花子", "一郎", "美咲", "健", "由美"};
    static const char *const givenYomi[] = {"ﾀﾛｳ", "ﾊﾅｺ", "ｲﾁﾛｳ", "ﾐｻｷ", "ｹﾝ", "ﾕﾐ"};
    static const char *const companies[] = {"株式会社サンプル商事", "東京精機株式会社", "ABC Trading",
                                            "みらい工業", "有限会社さくら"};
    CCardStore store;
    store.CreateNew(path);
    CCardFileWriter file(path);
    for (int i = 0; i < count; ++i) {
        CCardData card;
        card.SetName(QString::fromUtf8("%1 %2%3")
                         .arg(QString::fromUtf8(family[i % 8]), QString::fromUtf8(given[(i / 8) % 6]))
                         .arg(i));
        card.SetYomiName(QString::fromUtf8(familyYomi[i % 8]) + QString::fromUtf8(givenYomi[(i / 8) % 6]));
        card.SetCompany(QString::fromUtf8(companies[i % 5]), false);
        card.SetDepartment(QString::fromUtf8("営業部 第%1課").arg(i % 9 + 1));
        card.SetTitle(i % 3 ? QString::fromUtf8("課長") : QString::fromUtf8("主任"));
        card.SetPhone(
            0, {QStringLiteral("03-%1-%2").arg(1000 + i % 9000).arg(i % 10000, 4, 10, QLatin1Char('0')),
                PhoneMobile});
        card.SetMail(0, {QStringLiteral("user%1@example.jp").arg(i), MailMobile});
        card.SetAddress(QString::fromUtf8("東京都千代田区丸の内%1-%2").arg(i % 9 + 1).arg(i % 20 + 1));
        card.SetPrint(i % 4 == 0);
        store.AddCard(card, &file);
    }
    return path;
}

struct Fixture
{
    QTemporaryDir dir;
    QString path;
    Fixture() : path(MakeFile(dir.filePath("bench.ovd"), 100000)) {}
};

Fixture &Shared()
{
    static Fixture f;
    return f;
}

void BM_OpenAndShowMainWindow(benchmark::State &state)
{
    const QString path = Shared().path;
    for (auto _ : state) {
        CCardStore store;
        CSettings settings;
        CQtMessageBox messages;
        if (!store.Open(path))
            state.SkipWithError("open failed");
        CTessalyDlg window(settings, store, messages);
        window.show();
        QApplication::processEvents();
        const int items = window.Frame()->List()->ItemCount();
        window.Frame()->List()->Table()->viewport()->repaint();
        benchmark::DoNotOptimize(items);
        if (items != 100000)
            state.SkipWithError("list not filled");
    }
}
BENCHMARK(BM_OpenAndShowMainWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ScrollTablePage(benchmark::State &state)
{
    CCardStore store;
    CSettings settings;
    CQtMessageBox messages;
    store.Open(Shared().path);
    CTessalyDlg window(settings, store, messages);
    window.show();
    QApplication::processEvents();
    QTableView *table = window.Frame()->List()->Table();
    QScrollBar *bar = table->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue((step++ * 997) % bar->maximum());
        table->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollTablePage)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--make") {
        MakeFile(QString::fromLocal8Bit(argv[2]), atoi(argv[3]));
        return 0;
    }
    if (argc == 4 && QByteArray(argv[1]) == "--shot") {
        CCardStore store;
        CSettings settings;
        CQtMessageBox messages;
        store.Open(QString::fromLocal8Bit(argv[2]));
        CTessalyDlg window(settings, store, messages);
        window.resize(1180, 760);
        window.show();
        QApplication::processEvents();
        const QString out = QString::fromLocal8Bit(argv[3]);
        window.grab().save(out + "/list.png");
        window.Frame()->SetListStyle(CCardListView::ThumbnailStyle);
        QApplication::processEvents();
        window.grab().save(out + "/thumbnails.png");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
