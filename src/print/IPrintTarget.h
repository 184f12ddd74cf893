#pragma once

#include <QRectF>
#include <QString>

class QPainter;

// One print job on its way to the spooler (or a file), page by page.
class IPrintTarget
{
public:
    virtual ~IPrintTarget() = default;

    // Starts the document under `title`; false when the spooler refuses it.
    virtual bool StartDoc(const QString &title) = 0;
    // The painter for the next page. Device coordinates: the whole paper.
    virtual QPainter *StartPage() = 0;
    // Sends the page; `last` when no page follows. False when the page did not
    // get through.
    virtual bool EndPage(bool last) = 0;
    // The job's status value (see JobStatus.h) as the spooler reports it now.
    virtual int Status() = 0;
    virtual bool EndDoc() = 0;
    // Drops the document: nothing more reaches the printer.
    virtual void AbortDoc() = 0;

    // The paper in the painter's device coordinates.
    virtual QRectF PaperRect() const = 0;
};
