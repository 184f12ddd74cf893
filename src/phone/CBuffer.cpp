#include "CBuffer.h"

#include <cstdlib>
#include <cstring>

CBuffer::CBuffer(size_t growStep) : m_growStep(growStep ? growStep : 1024)
{
}

CBuffer::CBuffer(const void *bytes, size_t length, size_t growStep) : CBuffer(growStep)
{
    Append(bytes, length);
}

CBuffer::CBuffer(const CBuffer &other) : CBuffer(other.m_growStep)
{
    Append(other.m_data, other.m_length);
}

CBuffer &CBuffer::operator=(const CBuffer &other)
{
    if (this != &other) {
        Resize(0);
        m_growStep = other.m_growStep;
        Append(other.m_data, other.m_length);
    }
    return *this;
}

CBuffer::~CBuffer()
{
    Free();
}

void CBuffer::Free()
{
    std::free(m_data);
    m_data = nullptr;
    m_length = 0;
    m_capacity = 0;
}

bool CBuffer::Resize(size_t length)
{
    if (length == 0) {
        Free();
        return true;
    }
    if (length > m_capacity) {
        size_t capacity = (length + m_growStep - 1) / m_growStep * m_growStep;
        if (capacity < length) { // overflow
            Free();
            return false;
        }
        auto *grown = static_cast<uint8_t *>(std::realloc(m_data, capacity + 2));
        if (!grown) {
            Free();
            return false;
        }
        std::memset(grown + m_capacity, 0, capacity + 2 - m_capacity);
        m_data = grown;
        m_capacity = capacity;
    } else if (length < m_length) {
        std::memset(m_data + length, 0, m_length - length);
    }
    m_length = length;
    return true;
}

bool CBuffer::Append(const void *bytes, size_t length)
{
    if (length == 0)
        return true;
    size_t old = m_length;
    if (old + length < old || !Resize(old + length))
        return false;
    std::memcpy(m_data + old, bytes, length);
    return true;
}
