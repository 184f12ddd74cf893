#include "CPrintJobRunner.h"

#include "IPrintTarget.h"

#include <QThread>

CPrintJobRunner::CPrintJobRunner(CPrint &print, const QList<CCardData *> &cards,
                                 std::unique_ptr<IPrintTarget> target, const QString &title, QObject *parent)
    : QObject(parent), m_view(print), m_job(m_view), m_cards(cards), m_target(std::move(target)),
      m_title(title)
{
    connect(this, &CPrintJobRunner::PageReady, this, [this](int page) {
        emit PageStarting(page);
        m_pageShown.release();
    });
}

CPrintJobRunner::~CPrintJobRunner()
{
    if (m_thread) {
        m_cancel = true;
        m_pageShown.release(); // a job waiting for its page to show goes on, and stops
        m_thread->wait();
        delete m_thread;
    }
}

void CPrintJobRunner::Start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] { Run(); });
    connect(m_thread, &QThread::finished, this, &CPrintJobRunner::Finished);
    m_thread->start();
}

void CPrintJobRunner::Run()
{
    m_result = m_job.Run(m_cards, *m_target, m_title, &m_cancel, [this](int page) {
        emit PageReady(page, QPrivateSignal());
        m_pageShown.acquire();
    });
    // Made and used on this thread, the job's writer goes with it.
    m_target.reset();
}
