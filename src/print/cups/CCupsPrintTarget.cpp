#include "CCupsPrintTarget.h"

#include "CCupsJobStream.h"
#include "CupsQuery.h"
#include "JobStatus.h"

#include <QPdfWriter>
#include <cups/cups.h>

namespace {

constexpr int JobCanceled = 7; // IPP job states from here on are final

} // namespace

CCupsPrintTarget::CCupsPrintTarget(const QString &printerName, const QPageLayout &layout)
    : m_queue(CupsQuery::QueueName(printerName)), m_layout(layout)
{
    m_layout.setMargins(QMarginsF());
}

CCupsPrintTarget::~CCupsPrintTarget()
{
    if (m_http)
        AbortDoc();
}

bool CCupsPrintTarget::StartDoc(const QString &title)
{
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
    if (!m_http)
        return false;
    // The same options Qt's own CUPS printing sends with its PDF.
    cups_option_t *options = nullptr;
    int count = cupsAddOption("media", m_layout.pageSize().key().toUtf8().constData(), 0, &options);
    if (m_layout.orientation() == QPageLayout::Landscape)
        count = cupsAddOption("landscape", "", count, &options);
    const QByteArray name = title.toUtf8();
    m_job = cupsCreateJob(m_http, m_queue.constData(), name.constData(), count, options);
    cupsFreeOptions(count, options);
    if (m_job == 0 || cupsStartDocument(m_http, m_queue.constData(), m_job, name.constData(), CUPS_FORMAT_PDF,
                                        1) != HTTP_STATUS_CONTINUE) {
        AbortDoc();
        return false;
    }
    m_stream = std::make_unique<CCupsJobStream>(m_http);
    m_stream->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_stream.get());
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Tessaly"));
    m_writer->setPageLayout(m_layout);
    if (!m_painter.begin(m_writer.get())) {
        AbortDoc();
        return false;
    }
    return true;
}

QPainter *CCupsPrintTarget::StartPage()
{
    return m_painter.isActive() ? &m_painter : nullptr;
}

bool CCupsPrintTarget::EndPage(bool last)
{
    if (last)
        m_painter.end();
    else
        m_writer->newPage();
    if (m_stream->Failed())
        return false;
    // A job cancelled or stopped by someone else takes no more pages.
    int state = 0;
    QStringList reasons;
    return !CupsQuery::JobState(m_job, &state, &reasons) || state < JobCanceled;
}

int CCupsPrintTarget::Status()
{
    int state = 0;
    QStringList reasons;
    if (!CupsQuery::JobState(m_job, &state, &reasons))
        return JobStatus::Error;
    return JobStatus::FromCups(state, reasons, CupsQuery::Find(QString::fromUtf8(m_queue)).reasons);
}

bool CCupsPrintTarget::EndDoc()
{
    if (m_painter.isActive())
        m_painter.end();
    const bool ok = !m_stream->Failed() &&
                    cupsFinishDocument(m_http, m_queue.constData()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (ok)
        Close();
    return ok;
}

void CCupsPrintTarget::AbortDoc()
{
    if (m_stream)
        m_stream->Discard();
    if (m_painter.isActive())
        m_painter.end();
    // Dropping the connection ends the unfinished document; then the job goes.
    Close();
    if (m_job != 0)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, m_queue.constData(), m_job, 0);
}

void CCupsPrintTarget::Close()
{
    if (m_http)
        httpClose(m_http);
    m_http = nullptr;
}

QRectF CCupsPrintTarget::PaperRect() const
{
    return m_writer ? QRectF(0, 0, m_writer->width(), m_writer->height()) : QRectF();
}
