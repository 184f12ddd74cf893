#pragma once

#include "CObexOptionalHeader.h"

#include <QList>
#include <cstdint>

// An OBEX request: opcode, optional fixed fields and headers sent in order.
class CObexRequest
{
public:
    virtual ~CObexRequest() = default;
    virtual uint8_t GetOpcode() const = 0;
    virtual size_t GetFixedLength() const { return 0; }
    virtual bool WriteFixedFields(uint8_t *out, size_t room) const;

    QList<CObexOptionalHeader> headers;
};
