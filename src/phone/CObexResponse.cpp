#include "CObexResponse.h"

int CObexResponse::ReadFixedFields(const uint8_t *, size_t)
{
    return 0;
}
