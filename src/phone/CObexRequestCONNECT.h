#pragma once

#include "CObexRequest.h"

class CObexRequestCONNECT : public CObexRequest
{
public:
    uint8_t GetOpcode() const override { return 0x80; }
    size_t GetFixedLength() const override { return 4; }
    bool WriteFixedFields(uint8_t *out, size_t room) const override;

    uint8_t version = 0x10;
    uint8_t flags = 0x00;
    uint16_t maxPacketLength = 0x3000;
};
