#include "CObexSerialPort.h"

#include "CObexRequestCONNECT.h"
#include "CObexRequestDISCONNECT.h"
#include "CObexRequestGET.h"
#include "CObexRequestPUT.h"
#include "CObexRequestSETPATH.h"
#include "FolderListing.h"
#include "IProgressSink.h"
#include "ObexPacket.h"

#include <cstring>

namespace {

const uint8_t FolderBrowsingTarget[16] = {0xF9, 0xEC, 0x7B, 0xC4, 0x95, 0x3C, 0x11, 0xD2,
                                          0x98, 0x4E, 0x52, 0x54, 0x00, 0xDC, 0x9E, 0x09};

CObexOptionalHeader NameHeader(const QString &name)
{
    CObexOptionalHeader header(ObexHeaderId::Name);
    header.SetUnicode(name);
    return header;
}

} // namespace

void CObexSerialPort::ClearConnectionState()
{
    m_localVersion = m_localFlags = 0;
    m_localMaxPacket = 0;
    m_peerVersion = m_peerFlags = 0;
    m_peerMaxPacket = 0;
}

void CObexSerialPort::Fail()
{
    Close();
    ClearConnectionState();
}

int CObexSerialPort::MapCode(uint8_t code, bool continueAllowed) const
{
    if (code == ObexResponseCode::Success)
        return Success;
    if (code == ObexResponseCode::Continue && continueAllowed)
        return Continue;
    return OtherResponse;
}

int CObexSerialPort::Exchange(const CObexRequest &request, CObexResponse &response, bool isConnect)
{
    CBuffer packet;
    if (!ObexPacket::BuildPacket(request, packet)) {
        if (isConnect)
            Fail();
        return SendFailed;
    }
    if (!Write(packet.Data(), packet.Length())) {
        Fail();
        return SendFailed;
    }
    uint8_t prefix[3];
    if (!ReadExact(3, prefix)) {
        Fail();
        return IsCancelled() ? Stopped : ReadFailed;
    }
    const size_t length = size_t((prefix[1] << 8) | prefix[2]);
    CBuffer received;
    if (!received.Resize(std::max<size_t>(length, 3))) {
        Fail();
        return ReadFailed;
    }
    std::memcpy(received.Data(), prefix, 3);
    if (length > 3 && !ReadExact(length - 3, received.Data() + 3)) {
        Fail();
        return IsCancelled() ? Stopped : ReadFailed;
    }
    if (!ObexPacket::ParsePacket(received, response)) {
        if (isConnect)
            Fail();
        return IsCancelled() ? Stopped : ReadFailed;
    }
    return MapCode(response.code, request.GetOpcode() == 0x83 || request.GetOpcode() == 0x82 ||
                                      request.GetOpcode() == 0x03 || request.GetOpcode() == 0x02);
}

int CObexSerialPort::Connect(const Headers &headers, CObexResponseCONNECT *response)
{
    if (!IsOpen())
        return PortClosed;
    CObexRequestCONNECT request;
    request.headers = headers;
    CObexResponseCONNECT local;
    CObexResponseCONNECT &answer = response ? *response : local;
    int result = Exchange(request, answer, true);
    if (result == Success) {
        m_localVersion = request.version;
        m_localFlags = request.flags;
        m_localMaxPacket = request.maxPacketLength;
        m_peerVersion = answer.version;
        m_peerFlags = answer.flags;
        m_peerMaxPacket = answer.maxPacketLength;
    }
    return result;
}

int CObexSerialPort::Disconnect(const Headers &headers)
{
    if (!IsConnected())
        return NotConnected;
    CObexRequestDISCONNECT request;
    request.headers = headers;
    CObexResponse response;
    int result = Exchange(request, response, false);
    if (result == Success)
        ClearConnectionState();
    return result;
}

int CObexSerialPort::Get(const Headers &headers, CObexResponse &response)
{
    if (!IsConnected())
        return NotConnected;
    CObexRequestGET request;
    request.headers = headers;
    return Exchange(request, response, false);
}

int CObexSerialPort::Put(const Headers &headers)
{
    if (!IsConnected())
        return NotConnected;
    CObexRequestPUT request;
    request.headers = headers;
    CObexResponse response;
    return Exchange(request, response, false);
}

int CObexSerialPort::SetPath(const Headers &headers)
{
    if (!IsConnected())
        return NotConnected;
    CObexRequestSETPATH request;
    request.headers = headers;
    CObexResponse response;
    return Exchange(request, response, false);
}

bool CObexSerialPort::OpenAndConfigure(const CSerialPortInfo &port)
{
    if (!Open(port.devicePath)) {
        Close();
        return false;
    }
    if (!Configure(port.kind == PortKind::OtherObex ? 65535 : 0xFFFFFFFF)) {
        Fail();
        return false;
    }
    return true;
}

bool CObexSerialPort::Authenticate(const QString &password, bool withOptions)
{
    const QByteArray secret = password.toLatin1();
    const QByteArray nonce = ObexPacket::Md5(secret);
    CObexOptionalHeader challenge(ObexHeaderId::AuthChallenge);
    challenge.AddTlv(0x00, nonce);
    if (withOptions)
        challenge.AddTlv(0x01, QByteArray(1, '\0'));

    CObexResponseCONNECT answer;
    if (Connect({challenge}, &answer) != OtherResponse || answer.code != ObexResponseCode::Unauthorized)
        return false;
    const CObexOptionalHeader *theirs = ObexPacket::FindHeader(answer, ObexHeaderId::AuthChallenge);
    const CObexTlv *phoneNonce = theirs ? theirs->FindTlv(0x00) : nullptr;
    if (!phoneNonce)
        return false;
    QByteArray material(reinterpret_cast<const char *>(phoneNonce->Value().Data()),
                        qsizetype(phoneNonce->Value().Length()));
    material.append(':');
    material.append(secret);
    CObexOptionalHeader reply(ObexHeaderId::AuthResponse);
    reply.AddTlv(0x00, ObexPacket::Md5(material));
    reply.AddTlv(0x01, QByteArray(1, '\0'));
    return Connect({challenge, reply}) == Success;
}

bool CObexSerialPort::ConnectPhoneBook(const CSerialPortInfo &port, const QString &password)
{
    if (!OpenAndConfigure(port))
        return false;
    m_folderMode = false;
    m_authenticated = false;
    if (!Authenticate(password, false)) {
        Fail();
        return false;
    }
    return true;
}

bool CObexSerialPort::ConnectFolder(const CSerialPortInfo &port, const QString &password)
{
    if (!OpenAndConfigure(port))
        return false;
    m_folderMode = true;
    m_authenticated = false;
    m_insideNameCard = false;
    if (!password.isEmpty()) {
        if (!Authenticate(password, true)) {
            Fail();
            return false;
        }
        m_authenticated = true;
        return true;
    }
    CObexOptionalHeader target(ObexHeaderId::Target);
    target.SetBytes(FolderBrowsingTarget, sizeof FolderBrowsingTarget);
    CObexResponseCONNECT answer;
    const CObexOptionalHeader *id = nullptr;
    if (Connect({target}, &answer) != Success ||
        !(id = ObexPacket::FindHeader(answer, ObexHeaderId::ConnectionId))) {
        Fail();
        return false;
    }
    m_connectionId = *id;
    return true;
}

CObexSerialPort::Headers CObexSerialPort::WithConnectionId(const Headers &headers) const
{
    Headers all{m_connectionId};
    all.append(headers);
    return all;
}

bool CObexSerialPort::GetDeviceInfo(CBuffer &buffer)
{
    buffer.Clear();
    if (m_folderMode && !FolderReady())
        return false;
    const Headers name{NameHeader(QStringLiteral("telecom/devinfo.txt"))};
    CObexResponse response;
    return Get(m_folderMode ? WithConnectionId(name) : name, response) == Success &&
           ObexPacket::AppendBody(response, buffer);
}

bool CObexSerialPort::GetObject(const Headers &first, const Headers &later, CBuffer &buffer,
                                IProgressSink *progress)
{
    buffer.Clear();
    if (!IsConnected())
        return false;
    if (progress) {
        progress->SetRange(200, ProgressTarget::BarOnly);
        progress->SetPosition(0, ProgressTarget::BarOnly);
    }
    int packets = 0;
    for (const Headers *headers = &first;; headers = &later) {
        CObexResponse response;
        int result = Get(*headers, response);
        if ((result != Success && result != Continue) || !ObexPacket::AppendBody(response, buffer))
            return false;
        packets = (packets + 1) % 200;
        if (progress)
            progress->SetPosition(packets, ProgressTarget::BarOnly);
        if (result == Success) {
            if (progress)
                progress->SetPosition(200, ProgressTarget::BarOnly);
            return true;
        }
    }
}

bool CObexSerialPort::GetPhoneBook(CBuffer &buffer, IProgressSink *progress)
{
    if (GetObject({NameHeader(QStringLiteral("telecom/pb.vcf"))}, {}, buffer, progress))
        return true;
    if (IsConnected())
        Disconnect({});
    Fail();
    return false;
}

bool CObexSerialPort::ClosePhoneBook()
{
    if (IsConnected())
        Disconnect({});
    Fail();
    return true;
}

bool CObexSerialPort::ListFolder(CSoftbankObexObjectArray &entries)
{
    if (!FolderReady())
        return false;
    CObexOptionalHeader type(ObexHeaderId::Type);
    type.SetBytes(QByteArray("x-obex/folder-listing", 22));
    CBuffer listing;
    if (!GetObject(WithConnectionId({type}), WithConnectionId(), listing, nullptr))
        return false;
    return ParseFolderListing(
        QByteArray(reinterpret_cast<const char *>(listing.Data()), qsizetype(listing.Length())), entries);
}

bool CObexSerialPort::EnterFolder(const QString &name)
{
    return FolderReady() && SetPath(WithConnectionId({NameHeader(name)})) == Success;
}

bool CObexSerialPort::GetFile(const QString &name, CBuffer &buffer)
{
    if (!FolderReady()) {
        buffer.Clear();
        return false;
    }
    return GetObject(WithConnectionId({NameHeader(name)}), WithConnectionId(), buffer, nullptr);
}

bool CObexSerialPort::DeleteFile(const QString &name)
{
    if (!FolderReady())
        return false;
    const std::atomic_bool *stop = StopFlag();
    const Timeouts saved = GetTimeouts();
    Timeouts bounded = saved;
    bounded.readTotalConstant = m_deleteTimeoutMs;
    SetStopFlag(nullptr);
    SetTimeouts(bounded);
    int result = Put(WithConnectionId({NameHeader(name)}));
    SetStopFlag(stop);
    SetTimeouts(saved);
    return result == Success;
}

bool CObexSerialPort::OpenNameCardFolder()
{
    if (m_insideNameCard)
        return true;
    CSoftbankObexObjectArray entries;
    if (!ListFolder(entries)) {
        CloseFolder();
        return false;
    }
    const CSoftbankObexObject *documents = nullptr;
    for (const QString &wanted : {QStringLiteral("その他ﾌｧｲﾙ"), QStringLiteral("その他ファイル")}) {
        for (const CSoftbankObexObject &e : entries)
            if (!documents && e.name == wanted)
                documents = &e;
    }
    for (const CSoftbankObexObject &e : entries)
        if (!documents && e.name.startsWith(QLatin1String("Other Doc")))
            documents = &e;
    if (!documents || !EnterFolder(documents->name)) {
        CloseFolder();
        return false;
    }
    m_documentsFolder = documents->name;
    if (!ListFolder(entries)) {
        CloseFolder();
        return false;
    }
    const CSoftbankObexObject *nameCard = nullptr;
    for (const CSoftbankObexObject &e : entries)
        if (!nameCard && e.name == QLatin1String("NameCard"))
            nameCard = &e;
    if (!nameCard || !EnterFolder(nameCard->name)) {
        CloseFolder();
        return false;
    }
    m_insideNameCard = true;
    return true;
}

bool CObexSerialPort::ListVCards(CSoftbankObexObjectArray &entries)
{
    CSoftbankObexObjectArray all;
    entries.clear();
    if (!ListFolder(all)) {
        CloseFolder();
        return false;
    }
    for (const CSoftbankObexObject &e : all)
        if (e.size != 0 && e.name.toLower().indexOf(QLatin1String(".vcf"), 1) > 0)
            entries.append(e);
    return true;
}

bool CObexSerialPort::CloseFolder()
{
    if (IsConnected())
        Disconnect(m_authenticated ? Headers() : WithConnectionId());
    m_authenticated = false;
    m_insideNameCard = false;
    Fail();
    return true;
}
