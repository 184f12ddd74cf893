#pragma once

#include "IPrintTarget.h"
#include "JobStatus.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

// A spooler that records what reaches it and fails where told to.
class RecordingTarget : public IPrintTarget
{
public:
    bool refuse = false;
    int failPage = 0; // the n-th page sent fails
    int failStatus = JobStatus::Deleted;
    bool failEnd = false;
    QStringList calls;

    bool StartDoc(const QString &title) override
    {
        calls << QStringLiteral("start ") + title;
        return !refuse;
    }
    QPainter *StartPage() override
    {
        m_image.fill(Qt::white);
        m_painter.begin(&m_image);
        return &m_painter;
    }
    bool EndPage(bool last) override
    {
        m_painter.end();
        ++m_pages;
        calls << QStringLiteral("page%1").arg(last ? QStringLiteral(" last") : QString());
        return m_pages != failPage;
    }
    int Status() override
    {
        calls << QStringLiteral("status");
        return failStatus;
    }
    bool EndDoc() override
    {
        calls << QStringLiteral("end");
        return !failEnd;
    }
    void AbortDoc() override { calls << QStringLiteral("abort"); }
    QRectF PaperRect() const override { return m_image.rect(); }

private:
    QImage m_image{105, 149, QImage::Format_RGB32};
    QPainter m_painter;
    int m_pages = 0;
};
