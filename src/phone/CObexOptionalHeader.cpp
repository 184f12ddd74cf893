#include "CObexOptionalHeader.h"

#include <algorithm>
#include <cstring>

bool CObexOptionalHeader::IsTlvStructured(uint8_t id)
{
    return id == ObexHeaderId::AuthChallenge || id == ObexHeaderId::AuthResponse ||
           id == ObexHeaderId::SessionParameters;
}

QByteArray CObexOptionalHeader::ValueBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(m_value.Data()), qsizetype(m_value.Length()));
}

bool CObexOptionalHeader::SetUnicode(const QString &text)
{
    if (text.isNull() || IsTlvStructured())
        return false;
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    bytes.append('\0');
    bytes.append('\0');
    return SetBytes(bytes);
}

bool CObexOptionalHeader::SetBytes(const void *bytes, size_t length)
{
    if (IsTlvStructured())
        return false;
    CBuffer value(bytes, length);
    if (value.Length() != length)
        return false;
    m_value = value;
    return true;
}

bool CObexOptionalHeader::AddTlv(uint8_t tag, const void *bytes, size_t length)
{
    CObexTlv tlv(tag);
    return tlv.SetValue(bytes, length) && AppendTlv(tlv);
}

bool CObexOptionalHeader::AppendTlv(const CObexTlv &tlv)
{
    if (!IsTlvStructured())
        return false;
    m_tlvs.append(tlv);
    return true;
}

const CObexTlv *CObexOptionalHeader::FindTlv(uint8_t tag) const
{
    for (const CObexTlv &tlv : m_tlvs)
        if (tlv.Tag() == tag)
            return &tlv;
    return nullptr;
}

size_t CObexOptionalHeader::WireSize() const
{
    switch (m_id >> 6) {
    case 2:
        return 2;
    case 3:
        return 5;
    default:
        break;
    }
    size_t size = 3;
    if (IsTlvStructured()) {
        for (const CObexTlv &tlv : m_tlvs)
            size += tlv.WireSize();
    } else {
        size += m_value.Length();
    }
    return size;
}

bool CObexOptionalHeader::Write(uint8_t *out, size_t room) const
{
    size_t size = WireSize();
    if (room < size)
        return false;
    out[0] = m_id;
    if (m_id >= 0x80) {
        // Fixed-size headers: the value bytes as stored, zero padded.
        std::memset(out + 1, 0, size - 1);
        if (m_value.Length())
            std::memcpy(out + 1, m_value.Data(), std::min(m_value.Length(), size - 1));
        return true;
    }
    if (size > 0xFFFF)
        return false;
    out[1] = uint8_t(size >> 8);
    out[2] = uint8_t(size & 0xFF);
    uint8_t *p = out + 3;
    if (IsTlvStructured()) {
        for (const CObexTlv &tlv : m_tlvs) {
            *p++ = tlv.Tag();
            *p++ = uint8_t(tlv.Value().Length());
            if (tlv.Value().Length())
                std::memcpy(p, tlv.Value().Data(), tlv.Value().Length());
            p += tlv.Value().Length();
        }
    } else if (m_value.Length()) {
        std::memcpy(p, m_value.Data(), m_value.Length());
    }
    return true;
}
