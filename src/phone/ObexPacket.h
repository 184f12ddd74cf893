#pragma once

#include "CBuffer.h"
#include "CObexRequest.h"
#include "CObexResponse.h"

#include <QByteArray>

// Serialisation of requests and parsing of responses.
namespace ObexPacket {
// Writes the whole request into out, sized exactly; false if a part does not fit.
bool BuildPacket(const CObexRequest &request, CBuffer &out);
// Fills response from exactly one received packet.
bool ParsePacket(const uint8_t *bytes, size_t length, CObexResponse &response);
inline bool ParsePacket(const CBuffer &bytes, CObexResponse &response)
{
    return ParsePacket(bytes.Data(), bytes.Length(), response);
}
// First header of that id in received order, or null.
const CObexOptionalHeader *FindHeader(const CObexResponse &response, uint8_t id);
// Appends the Body / End of Body payloads of a GET response.
bool AppendBody(const CObexResponse &response, CBuffer &buffer);
// RFC 1321 digest, 16 bytes.
QByteArray Md5(const QByteArray &bytes);
} // namespace ObexPacket
