#pragma once

#include "IPrintTarget.h"

#include <QPageLayout>
#include <QPainter>
#include <memory>

class CCupsJobStream;
class QPdfWriter;
typedef struct _http_s http_t;

// A job on a CUPS queue. The pages are written as PDF straight into the job,
// one at a time, so a refused job, a failed page and the job's status are
// all CUPS's own answers.
class CCupsPrintTarget : public IPrintTarget
{
public:
    CCupsPrintTarget(const QString &printerName, const QPageLayout &layout);
    ~CCupsPrintTarget() override;

    bool StartDoc(const QString &title) override;
    QPainter *StartPage() override;
    bool EndPage(bool last) override;
    int Status() override;
    bool EndDoc() override;
    void AbortDoc() override;
    QRectF PaperRect() const override;

    int JobId() const { return m_job; }

private:
    void Close();

    QByteArray m_queue;
    QPageLayout m_layout;
    http_t *m_http = nullptr;
    int m_job = 0;
    std::unique_ptr<CCupsJobStream> m_stream;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
};
