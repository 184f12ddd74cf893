#pragma once

#include <cstddef>
#include <cstdint>

// A growable byte buffer for wire and file data. Bytes past the length are
// always zero (plus two spare bytes), so the content reads as terminated
// UTF-16 text.
class CBuffer
{
public:
    explicit CBuffer(size_t growStep = 1024);
    CBuffer(const void *bytes, size_t length, size_t growStep = 1024);
    CBuffer(const CBuffer &other);
    CBuffer &operator=(const CBuffer &other);
    ~CBuffer();

    uint8_t *Data() { return m_data; }
    const uint8_t *Data() const { return m_data; }
    size_t Length() const { return m_length; }
    size_t Capacity() const { return m_capacity; }
    size_t GrowStep() const { return m_growStep; }

    // False (and the buffer freed) when the memory cannot be had.
    bool Resize(size_t length);
    bool Append(const void *bytes, size_t length);
    void Clear() { Resize(0); }
    // Bytes remaining after position; 0 at or past the end.
    size_t Remaining(size_t position) const { return position < m_length ? m_length - position : 0; }

private:
    void Free();

    uint8_t *m_data = nullptr;
    size_t m_length = 0;
    size_t m_capacity = 0;
    size_t m_growStep;
};
