#include "CObexResponseCONNECT.h"

int CObexResponseCONNECT::ReadFixedFields(const uint8_t *bytes, size_t available)
{
    if (available < 4)
        return -1;
    version = bytes[0];
    flags = bytes[1];
    maxPacketLength = uint16_t((bytes[2] << 8) | bytes[3]);
    return 4;
}
