#pragma once

#include <QList>
#include <QString>
#include <atomic>
#include <functional>

class CCardData;
class CPrintPreviewWnd;
class IPrintTarget;

// One print job: the pages of the range, drawn by the printing view, sent
// to a target one by one. A cancel flag set from anywhere stops it before the
// next page; a callback hears each page number as it starts.
class CPrintJob
{
public:
    enum Result
    {
        Printed,    // every page went out and the document was ended
        NotStarted, // the spooler refused the document
        Cancelled,  // stopped by the cancel flag; the document was dropped
        Failed,     // a page did not get through; see Status()
    };

    explicit CPrintJob(CPrintPreviewWnd &view);

    Result Run(const QList<CCardData *> &cards, IPrintTarget &target, const QString &title,
               const std::atomic_bool *cancel = nullptr, const std::function<void(int page)> &onPage = {});

    // The job status value (JobStatus.h) read after a failed page.
    int Status() const { return m_status; }
    int PagesSent() const { return m_pagesSent; }

    // What the user is told when the printer refuses the job.
    static QString NotStartedMessage();

private:
    CPrintPreviewWnd &m_view;
    int m_status = 0;
    int m_pagesSent = 0;
};
