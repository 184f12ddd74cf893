#pragma once

#include "CObexOptionalHeader.h"

#include <QList>
#include <cstdint>

namespace ObexResponseCode {
constexpr uint8_t Continue = 0x90;
constexpr uint8_t Success = 0xA0;
constexpr uint8_t Unauthorized = 0xC1;
} // namespace ObexResponseCode

// A received response; the code keeps its final bit (0xA0, 0x90, ...).
class CObexResponse
{
public:
    virtual ~CObexResponse() = default;
    // Reads the fixed fields after the 3-byte prefix; returns the bytes
    // consumed, or -1 when they do not fit.
    virtual int ReadFixedFields(const uint8_t *bytes, size_t available);

    uint8_t code = 0;
    QList<CObexOptionalHeader> headers;
};
