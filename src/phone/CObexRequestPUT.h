#pragma once

#include "CObexRequest.h"

class CObexRequestPUT : public CObexRequest
{
public:
    uint8_t GetOpcode() const override { return final ? 0x82 : 0x02; }

    bool final = true;
};
