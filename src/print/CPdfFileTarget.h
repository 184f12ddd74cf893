#pragma once

#include "IPrintTarget.h"

#include <QPageLayout>
#include <QPainter>
#include <QSaveFile>
#include <memory>

class QPdfWriter;

// A job written to a PDF file. The file appears only when the whole document
// was written; an aborted or failed job leaves whatever was there before.
class CPdfFileTarget : public IPrintTarget
{
public:
    CPdfFileTarget(const QString &path, const QPageLayout &layout);
    ~CPdfFileTarget() override;

    bool StartDoc(const QString &title) override;
    QPainter *StartPage() override;
    bool EndPage(bool last) override;
    int Status() override;
    bool EndDoc() override;
    void AbortDoc() override;
    QRectF PaperRect() const override;

private:
    QSaveFile m_file;
    QPageLayout m_layout;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    bool m_failed = false;
};
