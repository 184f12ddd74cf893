#pragma once

#include "CPrintableArea.h"

#include <QString>
#include <memory>

class IPrintTarget;

// An opened printer (or file) with its paper chosen: what pages are laid out
// for, and where jobs go.
class IPrinterDevice
{
public:
    virtual ~IPrinterDevice() = default;

    // Paper and printable area of the chosen paper and orientation, 0.1 mm.
    virtual CPrintableArea Area() const = 0;
    virtual QString DriverName() const = 0;
    virtual QString PortName() const = 0;
    // A new job for this device.
    virtual std::unique_ptr<IPrintTarget> NewJob() = 0;
};
