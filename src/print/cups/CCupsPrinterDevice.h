#pragma once

#include "IPrinterDevice.h"

#include <QPageLayout>
#include <memory>

class QPrinter;
class QPrinterInfo;

// A CUPS printer opened through QPrinter with its paper and orientation set:
// the printable area comes from the printer's own description.
class CCupsPrinterDevice : public IPrinterDevice
{
public:
    CCupsPrinterDevice(const QPrinterInfo &info, const QPageSize &size, QPageLayout::Orientation orientation,
                       const QString &portName);
    ~CCupsPrinterDevice() override;

    CPrintableArea Area() const override;
    QString DriverName() const override { return m_driver; }
    QString PortName() const override { return m_port; }
    std::unique_ptr<IPrintTarget> NewJob() override;

    QPageLayout PageLayout() const;

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_name;
    QString m_driver;
    QString m_port;
};
