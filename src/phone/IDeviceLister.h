#pragma once

#include <QList>
#include <QString>

// One present serial device as the device listing reports it.
struct SerialDeviceRecord
{
    QString instanceId;
    QString friendlyName;
    // The device node to open; empty means "/dev/" followed by the port name.
    QString devicePath = {};
};

// The source of the present serial devices, so discovery can be fed in tests.
class IDeviceLister
{
public:
    virtual ~IDeviceLister() = default;
    // False when the device list cannot be obtained.
    virtual bool ListDevices(QList<SerialDeviceRecord> &devices) = 0;
};
