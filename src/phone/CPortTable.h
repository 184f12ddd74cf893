#pragma once

#include "CSerialPortInfo.h"
#include "IDeviceLister.h"

#include <QList>

// The process-wide table of serial ports, rebuilt by every discovery and
// kept in the device listing's order. Used on the user-interface thread only.
class CPortTable
{
public:
    static const QList<CSerialPortInfo> &Ports();
    // Rebuilds the table from the system's listing (libudev).
    static bool RefreshPorts();
    static bool RefreshPorts(IDeviceLister &lister);
    // Copies every phone port (kinds 0-3) in table order; true if any.
    static bool GetPhonePorts(QList<CSerialPortInfo> &ports);
    // The "SerialPort" option: n >= 1 names the n-th port of the table.
    // Returns the index among phonePorts, or -1 when that port is no phone
    // port (missingName then gets the name to show).
    static int FindConfiguredPort(int n, const QList<CSerialPortInfo> &phonePorts, QString *missingName);

private:
    static QList<CSerialPortInfo> &Table();
};
