#include "CPdfFileTarget.h"

#include "JobStatus.h"

#include <QPdfWriter>

CPdfFileTarget::CPdfFileTarget(const QString &path, const QPageLayout &layout)
    : m_file(path), m_layout(layout)
{
}

CPdfFileTarget::~CPdfFileTarget()
{
    if (m_painter.isActive())
        AbortDoc();
}

bool CPdfFileTarget::StartDoc(const QString &title)
{
    if (!m_file.open(QIODevice::WriteOnly))
        return false;
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Tessaly"));
    m_writer->setPageLayout(m_layout);
    if (!m_painter.begin(m_writer.get())) {
        m_file.cancelWriting();
        return false;
    }
    return true;
}

QPainter *CPdfFileTarget::StartPage()
{
    return m_painter.isActive() ? &m_painter : nullptr;
}

bool CPdfFileTarget::EndPage(bool last)
{
    if (last)
        m_painter.end();
    else
        m_writer->newPage();
    m_failed = m_failed || !m_file.flush() || m_file.error() != QFileDevice::NoError;
    return !m_failed;
}

int CPdfFileTarget::Status()
{
    return m_failed ? JobStatus::Error : JobStatus::Printing;
}

bool CPdfFileTarget::EndDoc()
{
    if (m_painter.isActive())
        m_painter.end();
    return !m_failed && m_file.commit();
}

void CPdfFileTarget::AbortDoc()
{
    if (m_painter.isActive())
        m_painter.end();
    m_file.cancelWriting();
}

QRectF CPdfFileTarget::PaperRect() const
{
    return m_writer ? QRectF(0, 0, m_writer->width(), m_writer->height()) : QRectF();
}
