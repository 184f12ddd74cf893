#pragma once

#include "CObexRequest.h"

class CObexRequestDISCONNECT : public CObexRequest
{
public:
    uint8_t GetOpcode() const override { return 0x81; }
};
