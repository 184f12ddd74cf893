#include "ObexPacket.h"

#include <QCryptographicHash>

namespace ObexPacket {

bool BuildPacket(const CObexRequest &request, CBuffer &out)
{
    size_t total = 3 + request.GetFixedLength();
    for (const CObexOptionalHeader &h : request.headers)
        total += h.WireSize();
    if (total > 0xFFFF || !out.Resize(total))
        return false;
    uint8_t *p = out.Data();
    p[0] = request.GetOpcode();
    p[1] = uint8_t(total >> 8);
    p[2] = uint8_t(total & 0xFF);
    size_t pos = 3;
    if (!request.WriteFixedFields(p + pos, total - pos))
        return false;
    pos += request.GetFixedLength();
    for (const CObexOptionalHeader &h : request.headers) {
        if (!h.Write(p + pos, total - pos))
            return false;
        pos += h.WireSize();
    }
    return true;
}

static bool ParseTlvs(const uint8_t *p, size_t length, CObexOptionalHeader &header)
{
    if (length == 0)
        return false;
    size_t pos = 0;
    while (pos < length) {
        if (length - pos < 2)
            return false;
        uint8_t tag = p[pos];
        size_t tlvLength = p[pos + 1];
        if (tlvLength > CObexTlv::MaxValueLength || tlvLength > length - pos - 2)
            return false;
        if (!header.AddTlv(tag, p + pos + 2, tlvLength))
            return false;
        pos += 2 + tlvLength;
    }
    return true;
}

bool ParsePacket(const uint8_t *bytes, size_t length, CObexResponse &response)
{
    if (!bytes || length < 3)
        return false;
    response.headers.clear();
    response.code = bytes[0];
    if (size_t((bytes[1] << 8) | bytes[2]) != length)
        return false;
    int fixed = response.ReadFixedFields(bytes + 3, length - 3);
    if (fixed < 0)
        return false;
    size_t pos = 3 + size_t(fixed);
    while (pos < length) {
        size_t remaining = length - pos;
        uint8_t id = bytes[pos];
        size_t size;
        switch (id >> 6) {
        case 2:
            size = 2;
            break;
        case 3:
            size = 5;
            break;
        default:
            if (remaining < 3)
                return false;
            size = size_t((bytes[pos + 1] << 8) | bytes[pos + 2]);
            if (size < 3)
                return false;
            break;
        }
        if (remaining < size)
            return false;
        CObexOptionalHeader header(id);
        if (id < 0x80) {
            const uint8_t *payload = bytes + pos + 3;
            if (header.IsTlvStructured() ? !ParseTlvs(payload, size - 3, header)
                                         : !header.SetBytes(payload, size - 3))
                return false;
        } else if (!header.SetBytes(bytes + pos + 1, size - 1)) {
            return false;
        }
        response.headers.append(header);
        pos += size;
    }
    return true;
}

const CObexOptionalHeader *FindHeader(const CObexResponse &response, uint8_t id)
{
    for (const CObexOptionalHeader &h : response.headers)
        if (h.Id() == id)
            return &h;
    return nullptr;
}

bool AppendBody(const CObexResponse &response, CBuffer &buffer)
{
    bool seenBody = false;
    for (const CObexOptionalHeader &h : response.headers) {
        bool body = h.Id() == ObexHeaderId::Body || h.Id() == ObexHeaderId::EndOfBody;
        if (!body) {
            if (seenBody)
                break;
            continue;
        }
        if (!buffer.Append(h.Value().Data(), h.Value().Length()))
            return false;
        if (h.Id() == ObexHeaderId::EndOfBody)
            break;
        seenBody = true;
    }
    return true;
}

QByteArray Md5(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

} // namespace ObexPacket
