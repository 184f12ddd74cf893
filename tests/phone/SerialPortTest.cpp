#include "CSerialPort.h"
#include "PhoneTestUtil.h"

#include <QElapsedTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace {

// Waits until bytes written on the other side are there to be read on fd.
bool WaitReadable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 60000) == 1 && (p.revents & POLLIN);
}

} // namespace

TEST(SerialPortTest, PseudoTerminalWorksAndOpenDropsStaleInput)
{
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    CSerialPort port;
    ASSERT_TRUE(port.Open(QString::fromLocal8Bit(name)));
    EXPECT_FALSE(port.Open(QString::fromLocal8Bit(name))); // already open
    ASSERT_TRUE(port.Configure());                         // DTR/RTS refused by a pty: not fatal
    EXPECT_EQ(port.GetTimeouts().readInterval, 0xFFFFFFFFu);
    const uint8_t out[] = {0x00, 0x11, 0x13, 0x0D, 0x0A, 0xFF};
    ASSERT_TRUE(port.Write(out, sizeof out));
    EXPECT_FALSE(port.Write(out, 0));
    char echo[6];
    ASSERT_EQ(::read(master, echo, 6), 6);
    EXPECT_EQ(QByteArray(echo, 6), QByteArray(reinterpret_cast<const char *>(out), 6));

    // Bytes left over from an abandoned exchange are dropped by the next Open.
    ASSERT_EQ(::write(master, "stale", 5), 5);
    ASSERT_TRUE(WaitReadable(slave));
    port.Close();
    port.Close(); // closing twice does nothing
    ASSERT_TRUE(port.Open(QString::fromLocal8Bit(name)));
    ASSERT_TRUE(port.Configure());
    ASSERT_EQ(::write(master, "\xAA\xBB", 2), 2);
    uint8_t in[2] = {};
    ASSERT_TRUE(port.ReadExact(2, in));
    EXPECT_EQ(in[0], 0xAA);
    EXPECT_EQ(in[1], 0xBB);

    // A total deadline ends a read that gets nothing.
    CSerialPort::Timeouts t;
    t.readTotalConstant = 150;
    port.SetTimeouts(t);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.ReadExact(1, in));
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_LT(clock.elapsed(), 10000); // the deadline ends it, however loaded the machine
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(port.IsCancelled());
    port.Close();
    ::close(master);
    ::close(slave);
}

TEST(SerialPortTest, RaisedStopFlagFailsAtOnceAndCloses)
{
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    std::atomic_bool stop{true};
    CSerialPort port;
    port.SetStopFlag(&stop);
    ASSERT_TRUE(port.Open(QString::fromLocal8Bit(name)));
    ASSERT_TRUE(port.Configure());
    // Even a byte that is there is not taken: the flag is looked at first.
    ASSERT_EQ(::write(master, "\x42", 1), 1);
    ASSERT_TRUE(WaitReadable(slave));
    uint8_t byte = 0;
    EXPECT_FALSE(port.ReadExact(1, &byte));
    EXPECT_EQ(byte, 0);
    EXPECT_TRUE(port.IsCancelled());
    EXPECT_FALSE(port.IsOpen());
    stop = false;
    ASSERT_TRUE(port.Open(QString::fromLocal8Bit(name)));
    EXPECT_FALSE(port.IsCancelled()); // every open clears it
    port.Close();
    ::close(master);
    ::close(slave);
}

TEST(SerialPortTest, NonTerminalIsNotACommunicationsDevice)
{
    CSerialPort port;
    EXPECT_FALSE(port.Open(QStringLiteral("/dev/null")));
    EXPECT_FALSE(port.IsCommunicationsDevice());
    port.Close();
    EXPECT_FALSE(port.Open(QStringLiteral("/nonexistent/ttyACM9")));
    EXPECT_FALSE(port.IsOpen());
}
