#pragma once

#include "IDeviceLister.h"

// Lists the tty devices known to libudev that sit on real hardware.
class CUdevDeviceLister : public IDeviceLister
{
public:
    bool ListDevices(QList<SerialDeviceRecord> &devices) override;
};
