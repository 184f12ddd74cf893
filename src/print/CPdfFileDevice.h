#pragma once

#include "IPrinterDevice.h"

#include <QPageLayout>
#include <QString>

// A PDF file as the print device: the whole paper is printable.
class CPdfFileDevice : public IPrinterDevice
{
public:
    CPdfFileDevice(const QString &path, const QPageSize &size, QPageLayout::Orientation orientation);

    CPrintableArea Area() const override;
    QString DriverName() const override;
    QString PortName() const override { return m_path; }
    std::unique_ptr<IPrintTarget> NewJob() override;

private:
    QString m_path;
    QPageLayout m_layout;
};
