#include "CPdfFileDevice.h"

#include "CPdfFileTarget.h"

CPdfFileDevice::CPdfFileDevice(const QString &path, const QPageSize &size,
                               QPageLayout::Orientation orientation)
    : m_path(path), m_layout(size, orientation, QMarginsF())
{
}

CPrintableArea CPdfFileDevice::Area() const
{
    const QSizeF mm = m_layout.fullRect(QPageLayout::Millimeter).size();
    CPrintableArea a;
    a.paperWidth = a.printableWidth = qRound(mm.width() * 10.0);
    a.paperHeight = a.printableHeight = qRound(mm.height() * 10.0);
    return a;
}

QString CPdfFileDevice::DriverName() const
{
    return QStringLiteral("PDF");
}

std::unique_ptr<IPrintTarget> CPdfFileDevice::NewJob()
{
    return std::make_unique<CPdfFileTarget>(m_path, m_layout);
}
