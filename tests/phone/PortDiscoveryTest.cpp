#include "CPortTable.h"
#include "CSerialPortInfo.h"

#include <gtest/gtest.h>

namespace {

class FakeLister : public IDeviceLister
{
public:
    bool ok = true;
    QList<SerialDeviceRecord> devices;
    bool ListDevices(QList<SerialDeviceRecord> &out) override
    {
        out = devices;
        return ok;
    }
};

QString UsbId(int mi)
{
    return QStringLiteral("USB\\VID_%1&PID_1234&MI_%2\\6&1A2B")
        .arg(PhoneMakerVendorId, 4, 16, QLatin1Char('0'))
        .arg(mi, 2, 10, QLatin1Char('0'));
}

CSerialPortInfo Classified(const QString &id, const QString &name, bool *ok = nullptr)
{
    CSerialPortInfo info;
    bool result = info.Classify(id, name);
    if (ok)
        *ok = result;
    return info;
}

} // namespace

TEST(PortClassifyTest, FindsPortNameAndKind)
{
    bool ok = true;
    Classified(UsbId(0), QStringLiteral("Phone OBEX Port (COM12"), &ok);
    EXPECT_FALSE(ok);
    Classified(UsbId(0), QStringLiteral("Phone OBEX Port"), &ok);
    EXPECT_FALSE(ok);

    CSerialPortInfo plain = Classified(UsbId(0), QStringLiteral("Mobile OBEX Port (COM12)"), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(plain.portName, QStringLiteral("COM12"));
    EXPECT_EQ(plain.devicePath, QStringLiteral("/dev/COM12"));
    EXPECT_EQ(plain.vendorId, PhoneMakerVendorId);
    EXPECT_EQ(plain.productId, 0x1234);
    EXPECT_EQ(plain.kind, PortKind::OtherObex);

    EXPECT_EQ(Classified(UsbId(5), QStringLiteral("920OV OBEX Port (COM4)")).kind, PortKind::FolderBrowsing);
    EXPECT_EQ(Classified(UsbId(3), QStringLiteral("920OV OBEX Port (COM4)")).kind, PortKind::OvModel);
    EXPECT_EQ(Classified(UsbId(5), QStringLiteral("OV903i OBEX Port (COM4)")).kind, PortKind::OtherObex);
    EXPECT_EQ(Classified(UsbId(5), QStringLiteral("FOMA 920OV OBEX Port (COM4)")).kind, PortKind::Foma);
    EXPECT_EQ(
        Classified(QStringLiteral("DOCOMO_FOMA\\") + UsbId(1).mid(4), QStringLiteral("FOMA OBEX Port (COM3)"))
            .kind,
        PortKind::Foma);
    // Other vendors, other ids and names without "OBEX Port" are no phones.
    CSerialPortInfo acpi =
        Classified(QStringLiteral("ACPI\\PNP0501\\1"), QStringLiteral("OV OBEX Port (COM1)"));
    EXPECT_EQ(acpi.vendorId, -1);
    EXPECT_EQ(acpi.productId, -1);
    EXPECT_EQ(acpi.kind, PortKind::NotPhone);
    EXPECT_EQ(Classified(UsbId(0), QStringLiteral("Modem (COM7)")).kind, PortKind::NotPhone);
    EXPECT_EQ(
        Classified(QStringLiteral("USB\\VID_FFFF&PID_0001\\X"), QStringLiteral("A OBEX Port (COM7)")).kind,
        PortKind::NotPhone);

    CSerialPortInfo linux = Classified(UsbId(5), QStringLiteral("920OV OBEX Port (ttyACM0)"));
    EXPECT_EQ(linux.portName, QStringLiteral("ttyACM0"));
    EXPECT_EQ(linux.devicePath, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(linux.kind, PortKind::FolderBrowsing);
}

TEST(PortTableTest, RefreshKeepsOrderAndFiltersPhones)
{
    FakeLister lister;
    lister.devices = {
        {QStringLiteral("ACPI\\PNP0501\\1"), QStringLiteral("Communications Port (COM1)")},
        {UsbId(5), QStringLiteral("920OV OBEX Port (COM4)")},
        {UsbId(0), QStringLiteral("no port here")},
        {QString(), QStringLiteral("unreadable (COM9)")},
        {UsbId(1), QStringLiteral("Mobile OBEX Port (COM12)"), QStringLiteral("/dev/serial/x")}};
    ASSERT_TRUE(CPortTable::RefreshPorts(lister));
    ASSERT_EQ(CPortTable::Ports().size(), 3);
    EXPECT_EQ(CPortTable::Ports()[0].portName, QStringLiteral("COM1"));
    // The listing's own device node wins over the one made from the name.
    EXPECT_EQ(CPortTable::Ports()[0].devicePath, QStringLiteral("/dev/COM1"));
    EXPECT_EQ(CPortTable::Ports()[2].devicePath, QStringLiteral("/dev/serial/x"));
    QList<CSerialPortInfo> phones{CSerialPortInfo()};
    ASSERT_TRUE(CPortTable::GetPhonePorts(phones));
    ASSERT_EQ(phones.size(), 2);
    EXPECT_EQ(phones[0].portName, QStringLiteral("COM4"));
    EXPECT_EQ(phones[1].portName, QStringLiteral("COM12"));

    // The option names the n-th port of the whole table.
    QString missing;
    EXPECT_EQ(CPortTable::FindConfiguredPort(2, phones, &missing), 0);
    EXPECT_EQ(CPortTable::FindConfiguredPort(3, phones, &missing), 1);
    EXPECT_EQ(CPortTable::FindConfiguredPort(1, phones, &missing), -1);
    EXPECT_EQ(missing, QStringLiteral("COM1"));
    EXPECT_EQ(CPortTable::FindConfiguredPort(7, phones, &missing), -1);
    EXPECT_EQ(missing, QStringLiteral("#7"));

    // A failed listing leaves the table as it was.
    lister.ok = false;
    EXPECT_FALSE(CPortTable::RefreshPorts(lister));
    EXPECT_EQ(CPortTable::Ports().size(), 3);

    lister.ok = true;
    lister.devices = {{QStringLiteral("ACPI\\PNP0501\\1"), QStringLiteral("Communications Port (COM1)")}};
    ASSERT_TRUE(CPortTable::RefreshPorts(lister));
    EXPECT_FALSE(CPortTable::GetPhonePorts(phones));
    EXPECT_TRUE(phones.isEmpty());
}
