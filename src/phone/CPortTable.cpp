#include "CPortTable.h"

#include "CUdevDeviceLister.h"

QList<CSerialPortInfo> &CPortTable::Table()
{
    static QList<CSerialPortInfo> table;
    return table;
}

const QList<CSerialPortInfo> &CPortTable::Ports()
{
    return Table();
}

bool CPortTable::RefreshPorts()
{
    CUdevDeviceLister lister;
    return RefreshPorts(lister);
}

bool CPortTable::RefreshPorts(IDeviceLister &lister)
{
    QList<SerialDeviceRecord> devices;
    if (!lister.ListDevices(devices))
        return false;
    QList<CSerialPortInfo> &table = Table();
    table.clear();
    for (const SerialDeviceRecord &device : devices) {
        if (device.instanceId.isEmpty() || device.friendlyName.isEmpty())
            continue;
        CSerialPortInfo info;
        if (!info.Classify(device.instanceId, device.friendlyName))
            continue;
        if (!device.devicePath.isEmpty())
            info.devicePath = device.devicePath;
        table.append(info);
    }
    return true;
}

bool CPortTable::GetPhonePorts(QList<CSerialPortInfo> &ports)
{
    ports.clear();
    for (const CSerialPortInfo &info : Table())
        if (info.IsPhone())
            ports.append(info);
    return !ports.isEmpty();
}

int CPortTable::FindConfiguredPort(int n, const QList<CSerialPortInfo> &phonePorts, QString *missingName)
{
    const QList<CSerialPortInfo> &table = Table();
    QString name = QStringLiteral("#%1").arg(n);
    if (n >= 1 && n <= table.size()) {
        name = table[n - 1].portName;
        for (qsizetype i = 0; i < phonePorts.size(); ++i)
            if (phonePorts[i].portName == name)
                return int(i);
    }
    if (missingName)
        *missingName = name;
    return -1;
}
