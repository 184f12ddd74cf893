#include "CSerialPortInfo.h"

#include <cctype>

CSerialPortInfo::CSerialPortInfo(const CSerialPortInfo &other)
    : portName(other.portName), devicePath(other.devicePath), instanceId(other.instanceId),
      friendlyName(other.friendlyName), vendorId(other.vendorId), productId(other.productId), kind(other.kind)
{
}

CSerialPortInfo &CSerialPortInfo::operator=(const CSerialPortInfo &other)
{
    portName = other.portName;
    devicePath = other.devicePath;
    instanceId = other.instanceId;
    friendlyName = other.friendlyName;
    vendorId = other.vendorId;
    productId = other.productId;
    interfaceNumber = -1;
    kind = other.kind;
    return *this;
}

bool CSerialPortInfo::operator==(const CSerialPortInfo &other) const
{
    return portName == other.portName && devicePath == other.devicePath && instanceId == other.instanceId &&
           friendlyName == other.friendlyName && vendorId == other.vendorId && productId == other.productId &&
           kind == other.kind;
}

int CSerialPortInfo::ReadHexKey(const QString &id, const QString &key)
{
    const QString upper = id.toUpper();
    if (!upper.startsWith(QLatin1String("USB\\")) && !upper.startsWith(QLatin1String("DOCOMO_FOMA\\")))
        return -1;
    qsizetype at = upper.indexOf(key.toUpper());
    if (at < 0)
        return -1;
    // Leading hexadecimal digits of the next four characters ("05\..." is 5).
    const QString digits = upper.mid(at + key.size(), 4);
    qsizetype n = 0;
    while (n < digits.size() && std::isxdigit(digits[n].unicode() < 128 ? digits[n].toLatin1() : 'g'))
        ++n;
    return n ? digits.left(n).toInt(nullptr, 16) : -1;
}

bool CSerialPortInfo::Classify(const QString &id, const QString &name)
{
    // Windows names its ports "(COMn)"; Linux devices are listed as "(ttyXXXn)".
    qsizetype open = name.indexOf(QLatin1String("(COM"));
    if (open < 0)
        open = name.indexOf(QLatin1String("(tty"));
    if (open < 0)
        return false;
    qsizetype close = name.indexOf(QLatin1Char(')'), open);
    if (close < 0)
        return false;
    portName = name.mid(open + 1, close - open - 1);
    devicePath = QLatin1String("/dev/") + portName;
    instanceId = id;
    friendlyName = name;
    vendorId = ReadHexKey(id, QStringLiteral("VID_"));
    productId = ReadHexKey(id, QStringLiteral("PID_"));
    interfaceNumber = ReadHexKey(id, QStringLiteral("MI_"));
    kind = PortKind::NotPhone;

    const qsizetype obex = name.indexOf(QLatin1String("OBEX Port"));
    if (vendorId != PhoneMakerVendorId || obex < 0)
        return true;
    if (name.contains(QLatin1String("FOMA"))) {
        kind = PortKind::Foma;
        return true;
    }
    kind = PortKind::OtherObex;
    for (qsizetype i = obex - 1; i >= 1; --i) {
        if (name[i].isDigit())
            break;
        if (name[i - 1] == QLatin1Char('O') && name[i] == QLatin1Char('V')) {
            kind = interfaceNumber == 5 ? PortKind::FolderBrowsing : PortKind::OvModel;
            break;
        }
    }
    return true;
}
