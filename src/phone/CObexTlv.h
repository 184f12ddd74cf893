#pragma once

#include "CBuffer.h"

#include <cstdint>

// One tag-length-value item inside an authentication or session header.
class CObexTlv
{
public:
    static constexpr size_t MaxValueLength = 253;

    CObexTlv() = default;
    explicit CObexTlv(uint8_t tag) : m_tag(tag) {}

    uint8_t Tag() const { return m_tag; }
    const CBuffer &Value() const { return m_value; }
    // Refused above 253 bytes; the old value then stays.
    bool SetValue(const void *bytes, size_t length);
    size_t WireSize() const { return 2 + m_value.Length(); }

private:
    uint8_t m_tag = 0;
    CBuffer m_value;
};
