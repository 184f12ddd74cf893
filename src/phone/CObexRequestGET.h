#pragma once

#include "CObexRequest.h"

class CObexRequestGET : public CObexRequest
{
public:
    uint8_t GetOpcode() const override { return final ? 0x83 : 0x03; }

    bool final = true;
};
