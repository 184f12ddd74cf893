#include "CPrintJob.h"

#include "CPrintPreviewWnd.h"
#include "IPrintTarget.h"
#include "JobStatus.h"

#include <QPainter>

CPrintJob::CPrintJob(CPrintPreviewWnd &view) : m_view(view)
{
}

QString CPrintJob::NotStartedMessage()
{
    return QStringLiteral("Could not start print job.");
}

CPrintJob::Result CPrintJob::Run(const QList<CCardData *> &cards, IPrintTarget &target, const QString &title,
                                 const std::atomic_bool *cancel, const std::function<void(int)> &onPage)
{
    m_status = 0;
    m_pagesSent = 0;
    const PageRange range = m_view.PreparePageRange(cards);
    if (!target.StartDoc(title))
        return NotStarted;

    Result result = Printed;
    for (int page = range.first; page <= range.last; ++page) {
        if (cancel && cancel->load()) {
            result = Cancelled;
            break;
        }
        if (onPage)
            onPage(page);
        QPainter *painter = target.StartPage();
        if (painter)
            m_view.DrawPage(*painter, target.PaperRect(), page);
        if (painter && target.EndPage(page == range.last)) {
            ++m_pagesSent;
            continue;
        }
        // The spooler may restart the job itself; anything else ends it.
        m_status = target.Status();
        if (!(m_status & JobStatus::Restart)) {
            result = Failed;
            break;
        }
    }
    if (result == Printed && !target.EndDoc()) {
        m_status = target.Status();
        result = Failed;
    }
    if (result != Printed)
        target.AbortDoc();
    return result;
}
