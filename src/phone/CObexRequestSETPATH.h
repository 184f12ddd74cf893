#pragma once

#include "CObexRequest.h"

class CObexRequestSETPATH : public CObexRequest
{
public:
    uint8_t GetOpcode() const override { return 0x85; }
    size_t GetFixedLength() const override { return 2; }
    bool WriteFixedFields(uint8_t *out, size_t room) const override;

    uint8_t flags = 0x00;
    uint8_t constants = 0x00;
};
