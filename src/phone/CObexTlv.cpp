#include "CObexTlv.h"

bool CObexTlv::SetValue(const void *bytes, size_t length)
{
    if (length > MaxValueLength)
        return false;
    CBuffer value(bytes, length);
    if (value.Length() != length)
        return false;
    m_value = value;
    return true;
}
