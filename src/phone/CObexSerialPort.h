#pragma once

#include "CBuffer.h"
#include "CObexOptionalHeader.h"
#include "CObexResponseCONNECT.h"
#include "CSerialPort.h"
#include "CSerialPortInfo.h"
#include "CSoftbankObexObject.h"

#include <QList>

class CObexRequest;
class IProgressSink;

// An OBEX client session over one serial port: the phone-book session
// (password authentication, devinfo and pb.vcf) or the folder-browsing
// session (connection id, name-card folder, file get and delete).
class CObexSerialPort : public CSerialPort
{
public:
    using Headers = QList<CObexOptionalHeader>;

    // Result codes of one exchange.
    enum Result : int
    {
        Success = 0,
        Continue = 1,
        PortClosed = -1,
        NotConnected = -2,
        SendFailed = -3,
        ReadFailed = -4,
        OtherResponse = -5,
        Stopped = -6,
    };

    int Connect(const Headers &headers, CObexResponseCONNECT *response = nullptr);
    int Disconnect(const Headers &headers);
    int Get(const Headers &headers, CObexResponse &response);
    int Put(const Headers &headers);
    int SetPath(const Headers &headers);

    bool IsConnected() const { return m_peerVersion != 0; }
    bool IsAuthenticated() const { return m_authenticated; }
    bool IsInsideNameCard() const { return m_insideNameCard; }
    const QString &DocumentsFolderName() const { return m_documentsFolder; }
    const CObexOptionalHeader &ConnectionId() const { return m_connectionId; }
    uint16_t PeerMaxPacketLength() const { return m_peerMaxPacket; }

    // Phone-book session (kinds 1-3).
    bool ConnectPhoneBook(const CSerialPortInfo &port, const QString &password);
    bool GetPhoneBook(CBuffer &buffer, IProgressSink *progress);
    bool ClosePhoneBook();

    // Folder session (kind 0).
    bool ConnectFolder(const CSerialPortInfo &port, const QString &password = QString());
    bool ListFolder(CSoftbankObexObjectArray &entries);
    bool EnterFolder(const QString &name);
    bool GetFile(const QString &name, CBuffer &buffer);
    bool DeleteFile(const QString &name);
    bool OpenNameCardFolder();
    bool ListVCards(CSoftbankObexObjectArray &entries);
    bool CloseFolder();

    // Both sessions: reads "telecom/devinfo.txt".
    bool GetDeviceInfo(CBuffer &buffer);

    // A delete cannot be stopped by the user, but a phone that never answers
    // it must not hold the worker forever: its answer is awaited this long.
    void SetDeleteTimeout(uint32_t ms) { m_deleteTimeoutMs = ms; }

private:
    int Exchange(const CObexRequest &request, CObexResponse &response, bool isConnect);
    int MapCode(uint8_t code, bool continueAllowed) const;
    bool Authenticate(const QString &password, bool withOptions);
    bool OpenAndConfigure(const CSerialPortInfo &port);
    bool FolderReady() const { return IsConnected() && m_folderMode && !m_authenticated; }
    bool GetObject(const Headers &first, const Headers &later, CBuffer &buffer, IProgressSink *progress);
    Headers WithConnectionId(const Headers &headers = Headers()) const;
    void ClearConnectionState();
    void Fail();

    uint8_t m_localVersion = 0;
    uint8_t m_localFlags = 0;
    uint16_t m_localMaxPacket = 0;
    uint8_t m_peerVersion = 0;
    uint8_t m_peerFlags = 0;
    uint16_t m_peerMaxPacket = 0;
    CObexOptionalHeader m_connectionId{0xCB};
    bool m_folderMode = false; // connected through ConnectFolder
    bool m_authenticated = false;
    bool m_insideNameCard = false;
    QString m_documentsFolder;
    uint32_t m_deleteTimeoutMs = 10000;
};
