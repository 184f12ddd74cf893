#include "CObexSerialPort.h"
#include "IProgressSink.h"
#include "ObexPacket.h"
#include "PhoneTestUtil.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

// One response: code, then one header with a length prefix.
QByteArray Answer(uint8_t code, uint8_t id, const QByteArray &payload)
{
    QByteArray header;
    header.append(char(id));
    header.append(char((payload.size() + 3) >> 8));
    header.append(char((payload.size() + 3) & 0xFF));
    header += payload;
    QByteArray out;
    out.append(char(code));
    out.append(char((header.size() + 3) >> 8));
    out.append(char((header.size() + 3) & 0xFF));
    return out + header;
}

CSerialPortInfo PortAt(const QString &path, PortKind kind)
{
    CSerialPortInfo info;
    info.devicePath = path;
    info.kind = kind;
    return info;
}

const QByteArray ConnectionId = Hex("0000002A");
const QByteArray PhoneNonce = Hex("101112131415161718191A1B1C1D1E1F");

class RecordingSink : public IProgressSink
{
public:
    QList<int> positions;
    QList<int> ranges;
    void SetRange(int range, ProgressTarget target) override
    {
        EXPECT_EQ(target, ProgressTarget::BarOnly);
        ranges.append(range);
    }
    void SetPosition(int position, ProgressTarget target) override
    {
        EXPECT_EQ(target, ProgressTarget::BarOnly);
        positions.append(position);
    }
};

} // namespace

TEST(ObexSessionGoldenTest, PhoneBookSessionSendsTheseBytes)
{
    ScriptedPeer peer;
    peer.Script({Hex("C1 001C 10 00 0400 4D 0015 00 10") + PhoneNonce, Hex("A0 0007 10 00 0400"),
                 Answer(0xA0, 0x49, "AB"), Answer(0x90, 0x48, "PB1"), Answer(0xA0, 0x49, "PB2"),
                 Hex("A0 0003")});
    CObexSerialPort session;
    ASSERT_TRUE(session.ConnectPhoneBook(PortAt(peer.Path(), PortKind::Foma), QStringLiteral("1234")));
    EXPECT_TRUE(session.IsConnected());
    EXPECT_EQ(session.PeerMaxPacketLength(), 0x0400);
    CBuffer info;
    ASSERT_TRUE(session.GetDeviceInfo(info));
    EXPECT_EQ(ToBytes(info), QByteArray("AB"));
    CBuffer book;
    ASSERT_TRUE(session.GetPhoneBook(book, nullptr));
    EXPECT_EQ(ToBytes(book), QByteArray("PB1PB2"));
    EXPECT_TRUE(session.ClosePhoneBook());
    EXPECT_FALSE(session.IsOpen());
    EXPECT_FALSE(session.IsConnected());

    const QByteArray nonce = Hex("81dc9bdb52d04dc20036dbd8313ed055");  // MD5 of "1234"
    const QByteArray digest = Hex("aa3e0e3703ab57f5f5d8ca4283636934"); // MD5 of nonce ":" "1234"
    const QList<QByteArray> sent = peer.Received();
    ASSERT_EQ(sent.size(), 6);
    EXPECT_EQ(sent[0], Hex("80 001C 10 00 3000 4D 0015 00 10") + nonce);
    EXPECT_EQ(sent[1], Hex("80 0034 10 00 3000 4D 0015 00 10") + nonce + Hex("4E 0018 00 10") + digest +
                           Hex("01 01 00"));
    EXPECT_EQ(sent[2], Hex("83 002E 01 002B") + Utf16Name(QStringLiteral("telecom/devinfo.txt")));
    EXPECT_EQ(sent[3], Hex("83 0024 01 0021") + Utf16Name(QStringLiteral("telecom/pb.vcf")));
    EXPECT_EQ(sent[4], Hex("83 0003"));
    EXPECT_EQ(sent[5], Hex("81 0003"));
}

TEST(ObexSessionGoldenTest, FolderSessionSendsTheseBytes)
{
    const QByteArray root1 = "<folder-listing><folder name=\"Other Documents\" created=\"1\"/>";
    const QByteArray root2 = "<folder name=\"その他ファイル\" created=\"1\"/></folder-listing>";
    const QByteArray docs = "<folder-listing><folder name=\"NameCard\" created=\"1\"/></folder-listing>";
    const QByteArray cards =
        "<folder-listing><file name=\"a.vcf\" created=\"1\" size=\"10\"/>"
        "<file name=\"B.VCF\" created=\"1\" size=\"5\"/><file name=\".vcf\" created=\"1\" "
        "size=\"3\"/><file name=\"c.vcf\" created=\"1\" size=\"0\"/></folder-listing>";
    ScriptedPeer peer;
    peer.Script({Hex("A0 000C 10 00 0400 CB") + ConnectionId, Answer(0xA0, 0x49, "AB"),
                 Answer(0x90, 0x48, root1), Answer(0xA0, 0x49, root2), Hex("A0 0003"),
                 Answer(0xA0, 0x49, docs), Hex("A0 0003"), Answer(0xA0, 0x49, cards),
                 Answer(0xA0, 0x49, "CARD"), Hex("A0 0003"), Hex("A0 0003")});
    CObexSerialPort session;
    ASSERT_TRUE(session.ConnectFolder(PortAt(peer.Path(), PortKind::FolderBrowsing)));
    CBuffer buffer;
    ASSERT_TRUE(session.GetDeviceInfo(buffer));
    ASSERT_TRUE(session.OpenNameCardFolder());
    EXPECT_EQ(session.DocumentsFolderName(), QStringLiteral("その他ファイル"));
    EXPECT_TRUE(session.OpenNameCardFolder()); // already inside: nothing sent
    CSoftbankObexObjectArray entries;
    ASSERT_TRUE(session.ListVCards(entries));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, QStringLiteral("a.vcf"));
    EXPECT_EQ(entries[1].name, QStringLiteral("B.VCF"));
    ASSERT_TRUE(session.GetFile(QStringLiteral("a.vcf"), buffer));
    EXPECT_EQ(ToBytes(buffer), QByteArray("CARD"));
    ASSERT_TRUE(session.DeleteFile(QStringLiteral("a.vcf")));
    EXPECT_TRUE(session.CloseFolder());
    EXPECT_FALSE(session.IsOpen());

    const QByteArray c = ConnectionId;
    const QByteArray listing =
        Hex("83 0021 CB") + c + Hex("42 0019") + QByteArray("x-obex/folder-listing", 22);
    const QList<QByteArray> sent = peer.Received();
    ASSERT_EQ(sent.size(), 11);
    EXPECT_EQ(sent[0], Hex("80 001A 10 00 3000 46 0013 F9EC7BC4953C11D2984E525400DC9E09"));
    EXPECT_EQ(sent[1],
              Hex("83 0033 CB") + c + Hex("01 002B") + Utf16Name(QStringLiteral("telecom/devinfo.txt")));
    EXPECT_EQ(sent[2], listing);
    EXPECT_EQ(sent[3], Hex("83 0008 CB") + c);
    EXPECT_EQ(sent[4],
              Hex("85 001D 00 00 CB") + c + Hex("01 0013") + Utf16Name(QStringLiteral("その他ファイル")));
    EXPECT_EQ(sent[5], listing);
    EXPECT_EQ(sent[6], Hex("85 001F 00 00 CB") + c + Hex("01 0015") + Utf16Name(QStringLiteral("NameCard")));
    EXPECT_EQ(sent[7], listing);
    EXPECT_EQ(sent[8], Hex("83 0017 CB") + c + Hex("01 000F") + Utf16Name(QStringLiteral("a.vcf")));
    EXPECT_EQ(sent[9], Hex("82 0017 CB") + c + Hex("01 000F") + Utf16Name(QStringLiteral("a.vcf")));
    EXPECT_EQ(sent[10], Hex("81 0008 CB") + c);
}

TEST(ObexSessionTest, RefusesWithoutPortOrConnection)
{
    CObexSerialPort session;
    EXPECT_EQ(session.Connect({}), CObexSerialPort::PortClosed);
    CObexResponse r;
    EXPECT_EQ(session.Get({}, r), CObexSerialPort::NotConnected);
    EXPECT_EQ(session.Put({}), CObexSerialPort::NotConnected);
    EXPECT_EQ(session.SetPath({}), CObexSerialPort::NotConnected);
    EXPECT_EQ(session.Disconnect({}), CObexSerialPort::NotConnected);
    CSoftbankObexObjectArray entries;
    EXPECT_FALSE(session.ListFolder(entries));
    EXPECT_FALSE(
        session.ConnectPhoneBook(PortAt(QStringLiteral("/nonexistent/tty"), PortKind::Foma), "1234"));
}

TEST(ObexSessionTest, PhoneBookAuthenticationOutcomes)
{
    {
        SimulatedPhone phone({"--mode", "phonebook", "--password", "4321"});
        CObexSerialPort session;
        EXPECT_TRUE(
            session.ConnectPhoneBook(PortAt(phone.Path(), PortKind::OtherObex), QStringLiteral("4321")));
        EXPECT_EQ(session.GetTimeouts().readInterval, 65535u);
        session.ClosePhoneBook();
        EXPECT_FALSE(session.ConnectPhoneBook(PortAt(phone.Path(), PortKind::Foma), QStringLiteral("0000")));
        EXPECT_FALSE(session.IsOpen());
    }
    {
        // A phone that accepts the first CONNECT without asking for the password.
        SimulatedPhone phone({"--mode", "phonebook", "--first-connect-success"});
        CObexSerialPort session;
        EXPECT_FALSE(session.ConnectPhoneBook(PortAt(phone.Path(), PortKind::Foma), QStringLiteral("1234")));
        EXPECT_FALSE(session.IsOpen());
        EXPECT_FALSE(session.IsConnected());
    }
}

TEST(ObexSessionTest, PhoneBookOf450PacketsPostsWrappingCounter)
{
    SimulatedPhone phone({"--mode", "phonebook", "--cards", "30", "--pb-packets", "450"});
    CObexSerialPort session;
    ASSERT_TRUE(session.ConnectPhoneBook(PortAt(phone.Path(), PortKind::Foma), QStringLiteral("1234")));
    RecordingSink sink;
    CBuffer book;
    ASSERT_TRUE(session.GetPhoneBook(book, &sink));
    QByteArray expected;
    for (int i = 0; i < 30; ++i)
        expected += SimVCard(QStringLiteral("card%1").arg(i));
    EXPECT_EQ(ToBytes(book), expected);
    EXPECT_EQ(sink.ranges, QList<int>{200});
    QList<int> positions{0};
    for (int i = 1; i <= 450; ++i)
        positions.append(i % 200);
    positions.append(200);
    EXPECT_EQ(sink.positions, positions);
    EXPECT_TRUE(session.IsConnected());
    session.ClosePhoneBook();
}

TEST(ObexSessionTest, FolderConnectNeedsConnectionId)
{
    SimulatedPhone phone({"--mode", "folder", "--no-connection-id"});
    CObexSerialPort session;
    EXPECT_FALSE(session.ConnectFolder(PortAt(phone.Path(), PortKind::FolderBrowsing)));
    EXPECT_FALSE(session.IsOpen());
}

TEST(ObexSessionTest, MalformedAnswerFailsButKeepsThePort)
{
    SimulatedPhone phone({"--mode", "folder", "--malformed-after", "1"});
    CObexSerialPort session;
    ASSERT_TRUE(session.ConnectFolder(PortAt(phone.Path(), PortKind::FolderBrowsing)));
    CObexResponse response;
    EXPECT_EQ(session.Get({session.ConnectionId()}, response), CObexSerialPort::ReadFailed);
    EXPECT_TRUE(session.IsOpen());
    EXPECT_TRUE(session.CloseFolder());
}

TEST(ObexSessionTest, StopEndsASilentWaitQuickly)
{
    SimulatedPhone phone({"--mode", "folder", "--silent-after", "1"});
    std::atomic_bool stop{false};
    CObexSerialPort session;
    session.SetStopFlag(&stop);
    ASSERT_TRUE(session.ConnectFolder(PortAt(phone.Path(), PortKind::FolderBrowsing)));
    int result = -1;
    qint64 returnedAt = -1;
    QElapsedTimer clock;
    clock.start();
    std::thread reader([&] {
        CObexResponse response;
        result = session.Get({session.ConnectionId()}, response);
        returnedAt = clock.elapsed();
    });
    // The request is in and never answered: the reader waits, without limit.
    const bool waiting = phone.WaitForUnanswered();
    const qint64 raisedAt = clock.elapsed();
    stop = true;
    reader.join();
    ASSERT_TRUE(waiting);
    EXPECT_EQ(result, CObexSerialPort::Stopped);
    // Within a polling slice; the bound is generous for a loaded machine.
    EXPECT_LT(returnedAt - raisedAt, 5000);
    EXPECT_TRUE(session.IsCancelled());
    EXPECT_FALSE(session.IsOpen());
    EXPECT_FALSE(session.IsConnected());
}

TEST(ObexSessionTest, DeleteIgnoresStopButNotForever)
{
    SimulatedPhone phone({"--mode", "folder", "--silent-after", "1"});
    std::atomic_bool stop{true};
    CObexSerialPort session;
    ASSERT_TRUE(session.ConnectFolder(PortAt(phone.Path(), PortKind::FolderBrowsing)));
    session.SetStopFlag(&stop);
    session.SetDeleteTimeout(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(session.DeleteFile(QStringLiteral("a.vcf")));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 10000); // its own deadline ends it, however loaded the machine
    EXPECT_FALSE(session.IsCancelled());
    EXPECT_EQ(session.StopFlag(), &stop);
    EXPECT_EQ(session.GetTimeouts().readTotalConstant, 0u);
}

TEST(ObexSessionTest, NameCardFolderChoice)
{
    struct Case
    {
        QStringList args;
        QString expected; // empty: no documents folder found
    };
    const QList<Case> cases{
        {{"--root-folder", "Other Documents"}, QStringLiteral("その他ファイル")},
        {{"--root-folder", "その他ファイル", "--docs-folder", "その他ﾌｧｲﾙ"}, QStringLiteral("その他ﾌｧｲﾙ")},
        {{"--docs-folder", "Other Documents", "--root-folder", "other docs"},
         QStringLiteral("Other Documents")},
        {{"--docs-folder", "Misc"}, QString()},
    };
    for (const Case &c : cases) {
        SimulatedPhone phone(QStringList{"--mode", "folder"} + c.args);
        CObexSerialPort session;
        ASSERT_TRUE(session.ConnectFolder(PortAt(phone.Path(), PortKind::FolderBrowsing)));
        EXPECT_EQ(session.OpenNameCardFolder(), !c.expected.isEmpty()) << c.args.join(' ').toStdString();
        if (c.expected.isEmpty()) {
            EXPECT_FALSE(session.IsOpen());
        } else {
            EXPECT_EQ(session.DocumentsFolderName(), c.expected);
            EXPECT_TRUE(session.IsInsideNameCard());
        }
        session.CloseFolder();
    }
}
