#pragma once

#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"

#include <QList>
#include <QObject>
#include <QSemaphore>
#include <QString>
#include <atomic>
#include <memory>

class CCardData;
class CPrint;
class IPrintTarget;
class QThread;

// Runs one print job on a thread of its own, so the windows stay alive while
// pages are drawn and sent. Before each page the job hands its number to the
// runner's thread and waits until it has been shown there: a Cancel() made
// while page n shows stops the job before page n + 1. The CPrint and the
// cards must not change until Finished.
class CPrintJobRunner : public QObject
{
    Q_OBJECT

public:
    CPrintJobRunner(CPrint &print, const QList<CCardData *> &cards, std::unique_ptr<IPrintTarget> target,
                    const QString &title, QObject *parent = nullptr);
    // Cancels a job still running and waits for it.
    ~CPrintJobRunner() override;

    void Start();
    void Cancel() { m_cancel = true; }

    // After Finished.
    CPrintJob::Result Result() const { return m_result; }
    int Status() const { return m_job.Status(); }
    int PagesSent() const { return m_job.PagesSent(); }

signals:
    void PageStarting(int page);
    void Finished();
    // Internal: from the job's thread.
    void PageReady(int page, QPrivateSignal);

private:
    void Run();

    CPrintPreviewWnd m_view;
    CPrintJob m_job;
    QList<CCardData *> m_cards;
    std::unique_ptr<IPrintTarget> m_target;
    QString m_title;
    std::atomic_bool m_cancel{false};
    QSemaphore m_pageShown;
    CPrintJob::Result m_result = CPrintJob::NotStarted;
    QThread *m_thread = nullptr;
};
