#include "CObexRequestSETPATH.h"

bool CObexRequestSETPATH::WriteFixedFields(uint8_t *out, size_t room) const
{
    if (room < 2)
        return false;
    out[0] = flags;
    out[1] = constants;
    return true;
}
