#include "CUdevDeviceLister.h"

#include <libudev.h>

namespace {

QString Attr(udev_device *device, const char *name)
{
    const char *value = device ? udev_device_get_sysattr_value(device, name) : nullptr;
    return value ? QString::fromUtf8(value).trimmed() : QString();
}

int HexAttr(udev_device *device, const char *name)
{
    bool ok = false;
    int value = Attr(device, name).toInt(&ok, 16);
    return ok ? value : -1;
}

// Builds the instance id and friendly name of one tty; false to skip it.
bool Describe(udev_device *tty, SerialDeviceRecord &record)
{
    const QString port = QString::fromUtf8(udev_device_get_sysname(tty));
    // Virtual consoles and pseudo terminals have no parent device.
    if (port.isEmpty() || !udev_device_get_parent(tty))
        return false;
    // The node udev made may differ from /dev/<name> (renamed or moved by a rule).
    if (const char *node = udev_device_get_devnode(tty))
        record.devicePath = QString::fromUtf8(node);
    udev_device *intf = udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_interface");
    udev_device *usb = udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_device");
    if (intf && usb) {
        const QString serial = Attr(usb, "serial");
        record.instanceId =
            QStringLiteral("USB\\VID_%1&PID_%2&MI_%3\\%4")
                .arg(HexAttr(usb, "idVendor"), 4, 16, QLatin1Char('0'))
                .arg(HexAttr(usb, "idProduct"), 4, 16, QLatin1Char('0'))
                .arg(HexAttr(intf, "bInterfaceNumber"), 2, 16, QLatin1Char('0'))
                .arg(serial.isEmpty() ? QString::fromUtf8(udev_device_get_sysname(intf)) : serial)
                .toUpper();
        QString text = Attr(intf, "interface");
        if (text.isEmpty())
            text = Attr(usb, "product");
        if (text.isEmpty())
            text = port;
        record.friendlyName = text + QLatin1String(" (") + port + QLatin1Char(')');
    } else {
        const char *subsystem = udev_device_get_subsystem(udev_device_get_parent(tty));
        record.instanceId =
            QString::fromUtf8(subsystem ? subsystem : "TTY").toUpper() + QLatin1Char('\\') + port;
        record.friendlyName = port + QLatin1String(" (") + port + QLatin1Char(')');
    }
    return true;
}

} // namespace

bool CUdevDeviceLister::ListDevices(QList<SerialDeviceRecord> &devices)
{
    udev *context = udev_new();
    if (!context)
        return false;
    udev_enumerate *enumerate = udev_enumerate_new(context);
    bool ok = enumerate && udev_enumerate_add_match_subsystem(enumerate, "tty") >= 0 &&
              udev_enumerate_scan_devices(enumerate) >= 0;
    if (ok) {
        udev_list_entry *entry;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate))
        {
            udev_device *tty = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
            if (!tty)
                continue; // vanished while listing
            SerialDeviceRecord record;
            if (Describe(tty, record))
                devices.append(record);
            udev_device_unref(tty);
        }
    }
    if (enumerate)
        udev_enumerate_unref(enumerate);
    udev_unref(context);
    return ok;
}
