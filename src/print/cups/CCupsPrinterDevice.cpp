#include "CCupsPrinterDevice.h"

#include "CCupsPrintTarget.h"

#include <QPrinter>
#include <QPrinterInfo>

CCupsPrinterDevice::CCupsPrinterDevice(const QPrinterInfo &info, const QPageSize &size,
                                       QPageLayout::Orientation orientation, const QString &portName)
    : m_printer(std::make_unique<QPrinter>(info, QPrinter::HighResolution)), m_name(info.printerName()),
      m_driver(info.makeAndModel()), m_port(portName)
{
    m_printer->setPageSize(size);
    m_printer->setPageOrientation(orientation);
}

CCupsPrinterDevice::~CCupsPrinterDevice() = default;

QPageLayout CCupsPrinterDevice::PageLayout() const
{
    return m_printer->pageLayout();
}

CPrintableArea CCupsPrinterDevice::Area() const
{
    // The layout's margins are the printer's unprintable strips of this paper.
    const QPageLayout layout = m_printer->pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    CPrintableArea a;
    a.paperWidth = qRound(paper.width() * 10.0);
    a.paperHeight = qRound(paper.height() * 10.0);
    a.offsetX = qRound(printable.left() * 10.0);
    a.offsetY = qRound(printable.top() * 10.0);
    a.printableWidth = qRound(printable.right() * 10.0) - a.offsetX;
    a.printableHeight = qRound(printable.bottom() * 10.0) - a.offsetY;
    return a;
}

std::unique_ptr<IPrintTarget> CCupsPrinterDevice::NewJob()
{
    return std::make_unique<CCupsPrintTarget>(m_name, m_printer->pageLayout());
}
