#include "CDropImport.h"

#include "CCardStore.h"
#include "CImportEngine.h"
#include "CImportFilesWorker.h"
#include "CWindowOverwriteConfirm.h"
#include "IMessageBox.h"
#include "ImportOptions.h"
#include "ImportSummary.h"
#include "ShowUserMessage.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QThread>

ImportCounters CDropImport::Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                                IMessageBox &messages, const QStringList &paths, const QString &caption)
{
    CWindowOverwriteConfirm confirm(parent);
    CImportEngine engine(store, options, &confirm);
    CImportFilesWorker worker(engine, paths);

    QProgressDialog progress(QString::fromUtf8("インポート中..."), QString::fromUtf8("中断"), 0,
                             int(paths.size()), parent);
    progress.setWindowTitle(caption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    const auto onFile = [&](int number, const QString &path) {
        progress.setValue(number);
        progress.setLabelText(QString::fromUtf8("インポート中...\n%1\n(%2/%3)")
                                  .arg(QFileInfo(path).fileName())
                                  .arg(number)
                                  .arg(paths.size()));
    };
    QEventLoop loop;
    bool cancelled = false;
    QObject::connect(&worker, &CImportFilesWorker::fileDone, &progress, onFile, Qt::QueuedConnection);
    QObject::connect(&worker, &CImportFilesWorker::fileFailed, &progress, onFile, Qt::QueuedConnection);
    QObject::connect(&worker, &CImportFilesWorker::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QObject::connect(
        &worker, &CImportFilesWorker::cancelled, &loop,
        [&] {
            cancelled = true;
            loop.quit();
        },
        Qt::QueuedConnection);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        progress.setCancelButton(nullptr); // pressed once: the current file is finished first
        worker.Cancel();
    });

    {
        // The worker owns the store while it runs: the views let go of every
        // card first and read the store again when it is done.
        CCardStore::BulkChange bulk(store);
        QThread thread;
        worker.moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(&worker, &CImportFilesWorker::Run, Qt::QueuedConnection);
        progress.show();
        loop.exec();
        thread.quit();
        thread.wait();
        progress.close();
    }

    const ImportCounters counters = worker.Counters();
    const UserMessage summary = ImportSummary::VCard(counters, cancelled);
    ShowUserMessage(messages, parent, summary);
    return counters;
}
