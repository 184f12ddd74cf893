#include "CCsvImport.h"

#include "CCardStore.h"
#include "CCsvImportRun.h"
#include "CImportEngine.h"
#include "CWindowOverwriteConfirm.h"
#include "ImportSummary.h"
#include "ShowUserMessage.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

namespace {
// The bar shows the read position in thousandths of the file, so that files
// beyond the range of an int move it too.
constexpr int BarSteps = 1000;
} // namespace

ImportCounters CCsvImport::Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                               IMessageBox &messages, const QString &path, const QList<MappingEntry> &columns,
                               bool skipFirstRow)
{
    CWindowOverwriteConfirm confirm(parent);
    CImportEngine engine(store, options, &confirm);
    CCsvImportRun run(engine, path, columns, skipFirstRow);

    QProgressDialog progress(QString::fromUtf8("インポート中..."), QString::fromUtf8("中断"), 0, BarSteps,
                             parent);
    progress.setWindowTitle(QString::fromUtf8("インポート"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QPointer<QProgressDialog> bar(&progress);
    run.SetProgress([bar](qint64 position, qint64 size) {
        const int value = size > 0 ? int(position * BarSteps / size) : 0;
        QMetaObject::invokeMethod(
            bar, [bar, value] { bar->setValue(value); }, Qt::QueuedConnection);
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        progress.setCancelButton(nullptr);
        run.Cancel();
    });

    {
        // The worker owns the store while it runs: the views let go of every
        // card first and read the store again when it is done.
        CCardStore::BulkChange bulk(store);
        QEventLoop loop;
        QThread *worker = QThread::create([&run] { run.Run(); });
        QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        worker->start();
        progress.show();
        loop.exec();
        worker->wait();
        delete worker;
        progress.close();
    }

    ShowUserMessage(messages, parent, ImportSummary::Csv(run.Counters(), run.State()));
    return run.Counters();
}
