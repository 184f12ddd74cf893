#include "CObexRequest.h"

bool CObexRequest::WriteFixedFields(uint8_t *, size_t) const
{
    return true;
}
