#pragma once

#include "CObexResponse.h"

class CObexResponseCONNECT : public CObexResponse
{
public:
    int ReadFixedFields(const uint8_t *bytes, size_t available) override;

    uint8_t version = 0;
    uint8_t flags = 0;
    uint16_t maxPacketLength = 0;
};
