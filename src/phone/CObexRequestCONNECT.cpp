#include "CObexRequestCONNECT.h"

bool CObexRequestCONNECT::WriteFixedFields(uint8_t *out, size_t room) const
{
    if (room < 4)
        return false;
    out[0] = version;
    out[1] = flags;
    out[2] = uint8_t(maxPacketLength >> 8);
    out[3] = uint8_t(maxPacketLength & 0xFF);
    return true;
}
