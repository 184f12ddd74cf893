#pragma once

#include "PortKind.h"

#include <QString>

// One discovered serial port and what kind of phone it leads to.
class CSerialPortInfo
{
public:
    QString portName;     // ttyACM0 (or COM5 in the historical naming)
    QString devicePath;   // what is opened: /dev/ttyACM0
    QString instanceId;   // USB\VID_xxxx&PID_yyyy&MI_zz\...
    QString friendlyName; // "<model or interface text> (ttyACM0)"
    int vendorId = -1;
    int productId = -1;
    int interfaceNumber = -1; // used only while classifying; not copied
    PortKind kind = PortKind::NotPhone;

    CSerialPortInfo() = default;
    CSerialPortInfo(const CSerialPortInfo &other);
    CSerialPortInfo &operator=(const CSerialPortInfo &other);
    bool operator==(const CSerialPortInfo &other) const;

    bool IsPhone() const { return kind != PortKind::NotPhone; }
    // Fills the record from a device's instance id and friendly name; false
    // when the friendly name names no port.
    bool Classify(const QString &instanceId, const QString &friendlyName);

private:
    static int ReadHexKey(const QString &instanceId, const QString &key);
};
