#pragma once

#include <QString>
#include <atomic>
#include <cstdint>

// One open serial port, driven through termios directly: reads poll what has
// arrived in 100 ms slices so a worker thread without an event loop can both
// wait for the phone and notice the caller's stop flag.
class CSerialPort
{
public:
    struct Timeouts
    {
        uint32_t readInterval = 0;
        uint32_t readTotalMultiplier = 0;
        uint32_t readTotalConstant = 0;
        uint32_t writeTotalMultiplier = 0;
        uint32_t writeTotalConstant = 0;
    };

    CSerialPort() = default;
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort &) = delete;
    CSerialPort &operator=(const CSerialPort &) = delete;

    bool Open(const QString &devicePath);
    // 115200 baud, 8N1, no flow control, raw bytes; then the timeouts.
    bool Configure(uint32_t readInterval = 0xFFFFFFFF);
    bool SetTimeouts(const Timeouts &timeouts);
    bool Write(const uint8_t *bytes, size_t length);
    bool ReadExact(size_t count, uint8_t *destination);
    void Close();

    bool IsOpen() const { return m_fd >= 0; }
    bool IsCancelled() const { return m_cancelled; }
    bool IsCommunicationsDevice() const { return m_isCommDevice; }
    const Timeouts &GetTimeouts() const { return m_timeouts; }
    // The caller's stop flag; null uses a private flag that is never raised.
    void SetStopFlag(const std::atomic_bool *stop) { m_stop = stop ? stop : &m_neverStop; }
    const std::atomic_bool *StopFlag() const { return m_stop; }

private:
    int m_fd = -1;
    Timeouts m_timeouts;
    bool m_isCommDevice = true;
    bool m_cancelled = false;
    std::atomic_bool m_neverStop{false};
    const std::atomic_bool *m_stop = &m_neverStop;
};
