#pragma once

#include "CBuffer.h"
#include "CObexTlv.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace ObexHeaderId {
constexpr uint8_t Name = 0x01;
constexpr uint8_t Type = 0x42;
constexpr uint8_t Target = 0x46;
constexpr uint8_t Body = 0x48;
constexpr uint8_t EndOfBody = 0x49;
constexpr uint8_t AuthChallenge = 0x4D;
constexpr uint8_t AuthResponse = 0x4E;
constexpr uint8_t SessionParameters = 0x52;
constexpr uint8_t ConnectionId = 0xCB;
} // namespace ObexHeaderId

// One OBEX header. The top two bits of the id fix the wire encoding; the
// authentication and session headers carry TLVs instead of a plain value.
class CObexOptionalHeader
{
public:
    explicit CObexOptionalHeader(uint8_t id = 0) : m_id(id) {}

    uint8_t Id() const { return m_id; }
    const CBuffer &Value() const { return m_value; }
    QByteArray ValueBytes() const;
    const QList<CObexTlv> &Tlvs() const { return m_tlvs; }
    bool IsTlvStructured() const { return IsTlvStructured(m_id); }
    static bool IsTlvStructured(uint8_t id);

    // Null-terminated UTF-16 big-endian text; refused for a null text.
    bool SetUnicode(const QString &text);
    bool SetBytes(const void *bytes, size_t length);
    bool SetBytes(const QByteArray &bytes) { return SetBytes(bytes.constData(), size_t(bytes.size())); }
    bool AddTlv(uint8_t tag, const void *bytes, size_t length);
    bool AddTlv(uint8_t tag, const QByteArray &bytes)
    {
        return AddTlv(tag, bytes.constData(), size_t(bytes.size()));
    }
    // Appends an already parsed TLV (reading side).
    bool AppendTlv(const CObexTlv &tlv);
    const CObexTlv *FindTlv(uint8_t tag) const;

    // Size on the wire, id and length prefix included.
    size_t WireSize() const;
    // Writes the header at out; false (nothing written) when room is short.
    bool Write(uint8_t *out, size_t room) const;

private:
    uint8_t m_id;
    CBuffer m_value;
    QList<CObexTlv> m_tlvs;
};
