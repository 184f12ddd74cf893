#include "FuzzTargets.h"

#include "CObexResponseCONNECT.h"
#include "FuzzCheck.h"
#include "ObexPacket.h"

namespace Fuzz {

namespace {

// The response as the phone sent it, rebuilt from what was parsed.
CBuffer Rebuild(const CObexResponse &response, const uint8_t *fixed, size_t fixedLength)
{
    size_t total = 3 + fixedLength;
    for (const CObexOptionalHeader &header : response.headers)
        total += header.WireSize();
    CBuffer out;
    Check(total <= 0xFFFF && out.Resize(total), "a parsed response fits a packet");
    uint8_t *p = out.Data();
    p[0] = response.code;
    p[1] = uint8_t(total >> 8);
    p[2] = uint8_t(total & 0xFF);
    for (size_t i = 0; i < fixedLength; ++i)
        p[3 + i] = fixed[i];
    size_t pos = 3 + fixedLength;
    for (const CObexOptionalHeader &header : response.headers) {
        Check(header.Write(p + pos, total - pos), "a parsed header can be written");
        pos += header.WireSize();
    }
    return out;
}

// What the session takes from a response: the body, the phone's nonce and the connection id.
void UseResponse(const CObexResponse &response)
{
    CBuffer body;
    Check(ObexPacket::AppendBody(response, body), "the body of a parsed response can be kept");
    size_t bodyBytes = 0;
    for (const CObexOptionalHeader &header : response.headers)
        if (header.Id() == ObexHeaderId::Body || header.Id() == ObexHeaderId::EndOfBody)
            bodyBytes += header.Value().Length();
    Check(body.Length() <= bodyBytes, "the body holds no more than the body headers");
    if (const CObexOptionalHeader *challenge = ObexPacket::FindHeader(response, ObexHeaderId::AuthChallenge))
        if (const CObexTlv *nonce = challenge->FindTlv(0x00)) {
            QByteArray material(reinterpret_cast<const char *>(nonce->Value().Data()),
                                qsizetype(nonce->Value().Length()));
            Check(ObexPacket::Md5(material + ":0000").size() == 16, "the digest of any nonce has 16 bytes");
        }
    if (const CObexOptionalHeader *id = ObexPacket::FindHeader(response, ObexHeaderId::ConnectionId))
        Check(id->Value().Length() == 4, "a connection id has four bytes");
}

} // namespace

void ObexResponse(QByteArrayView input)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(input.data());
    const size_t length = size_t(input.size());

    CObexResponse plain;
    if (ObexPacket::ParsePacket(bytes, length, plain)) {
        const CBuffer rebuilt = Rebuild(plain, nullptr, 0);
        Check(rebuilt.Length() == length && std::equal(bytes, bytes + length, rebuilt.Data()),
              "a parsed response rebuilds to the bytes received");
        UseResponse(plain);
    }

    CObexResponseCONNECT connect;
    if (ObexPacket::ParsePacket(bytes, length, connect)) {
        const uint8_t fixed[4] = {connect.version, connect.flags, uint8_t(connect.maxPacketLength >> 8),
                                  uint8_t(connect.maxPacketLength & 0xFF)};
        const CBuffer rebuilt = Rebuild(connect, fixed, sizeof fixed);
        Check(rebuilt.Length() == length && std::equal(bytes, bytes + length, rebuilt.Data()),
              "a parsed CONNECT response rebuilds to the bytes received");
        UseResponse(connect);
    }
}

} // namespace Fuzz
