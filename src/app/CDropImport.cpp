#include "CDropImport.h"

#include "CCardData.h"
#include "CImportEngine.h"
#include "CImportFilesWorker.h"
#include "IMessageBox.h"
#include "IOverwriteConfirm.h"
#include "ImportOptions.h"
#include "ImportSummary.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

namespace {

// Asks on the user-interface thread and blocks the worker until answered.
class CWindowOverwriteConfirm : public IOverwriteConfirm
{
public:
    explicit CWindowOverwriteConfirm(QWidget *parent) : m_parent(parent) {}

    OverwriteAnswer AskOverwrite(const CCardData &stored, const CCardData &incoming,
                                 const QString &sourceName) override
    {
        OverwriteAnswer answer = AnswerSkip;
        QMetaObject::invokeMethod(
            qApp, [&] { answer = Ask(stored, incoming, sourceName); }, Qt::BlockingQueuedConnection);
        return answer;
    }

private:
    OverwriteAnswer Ask(const CCardData &stored, const CCardData &incoming, const QString &sourceName)
    {
        QMessageBox box(m_parent);
        box.setIcon(QMessageBox::Question);
        QString caption = QString::fromUtf8("上書き確認");
        if (!sourceName.isEmpty())
            caption += " - " + sourceName;
        box.setWindowTitle(caption);
        box.setText(QString::fromUtf8("同じ名前で電話番号の異なるデータが存在します。"
                                      "現在のデータに新しいデータを上書きしますか？"));
        box.setInformativeText(QString::fromUtf8("現在の名刺データ: %1 %2\n新しい名刺データ: %3 %4")
                                   .arg(stored.Name(), stored.Phone(0), incoming.Name(), incoming.Phone(0)));
        const struct
        {
            const char *text;
            OverwriteAnswer answer;
        } choices[] = {{"上書き", AnswerOverwrite}, {"全て上書き", AnswerOverwriteAll},
                       {"新規登録", AnswerAdd},     {"全て新規登録", AnswerAddAll},
                       {"スキップ", AnswerSkip},    {"全てスキップ", AnswerSkipAll}};
        QList<QPair<QAbstractButton *, OverwriteAnswer>> buttons;
        for (const auto &c : choices)
            buttons.append({box.addButton(QString::fromUtf8(c.text), QMessageBox::ActionRole), c.answer});
        box.exec();
        for (const auto &b : buttons)
            if (box.clickedButton() == b.first)
                return b.second;
        return AnswerSkip;
    }

    QWidget *m_parent;
};

} // namespace

ImportCounters CDropImport::Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                                IMessageBox &messages, const QStringList &paths)
{
    CWindowOverwriteConfirm confirm(parent);
    CImportEngine engine(store, options, &confirm);
    CImportFilesWorker worker(engine, paths);

    QProgressDialog progress(QString::fromUtf8("インポート中..."), QString::fromUtf8("中断"), 0,
                             int(paths.size()), parent);
    progress.setWindowTitle(QString::fromUtf8("インポート"));
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

    QThread thread;
    worker.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(&worker, &CImportFilesWorker::Run, Qt::QueuedConnection);
    progress.show();
    loop.exec();
    thread.quit();
    thread.wait();
    progress.close();

    const ImportCounters counters = worker.Counters();
    const UserMessage summary = ImportSummary::VCard(counters, cancelled);
    const QMessageBox::Icon icon = summary.icon == UserMessage::Warning ? QMessageBox::Warning
                                   : summary.icon == UserMessage::Error ? QMessageBox::Critical
                                                                        : QMessageBox::Information;
    messages.Show(parent, summary.text, summary.caption, icon);
    return counters;
}
