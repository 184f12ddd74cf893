#include "MapSearchAddress.h"

#include "Cp932.h"

#include <QUrl>

namespace MapSearchAddress {

namespace {
bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsUnreserved(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
           b == '_' || b == '.' || b == '~';
}
} // namespace

QByteArray SjisToEuc(const QByteArray &sjis)
{
    QByteArray out;
    out.reserve(sjis.size() * 2);
    for (qsizetype i = 0; i < sjis.size(); ++i) {
        unsigned char c1 = static_cast<unsigned char>(sjis[i]);
        if (IsLeadByte(c1) && i + 1 < sjis.size()) {
            unsigned char c2 = static_cast<unsigned char>(sjis[++i]);
            int row = c1 >= 0xE0 ? c1 - 0x40 : c1;
            row = (row - 0x81) * 2 + 0x21;
            int cell = c2;
            if (cell >= 0x9F) {
                row += 1;
                cell -= 0x7E;
            } else {
                if (cell >= 0x80)
                    cell -= 1;
                cell -= 0x1F;
            }
            out.append(static_cast<char>((row | 0x80) & 0xFF));
            out.append(static_cast<char>((cell | 0x80) & 0xFF));
        } else if (c1 >= 0xA1 && c1 <= 0xDF) {
            out.append(static_cast<char>(0x8E));
            out.append(static_cast<char>(c1));
        } else {
            out.append(static_cast<char>(c1));
        }
    }
    return out;
}

QByteArray Escape(const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == ' ') {
            out.append('+');
        } else if (IsUnreserved(b)) {
            out.append(ch);
        } else {
            out.append('%');
            out.append(hex[b >> 4]);
            out.append(hex[b & 0x0F]);
        }
    }
    return out;
}

QByteArray BuildRefAddr(const QByteArray &service, const QString &address)
{
    return service + "?REF=" + Escape(ProfileName) + "&ADDR=" + Escape(SjisToEuc(Cp932::Encode(address)));
}

QByteArray BuildGoogleMaps(const QString &address)
{
    return QByteArray(GoogleMapsSearch) + QUrl::toPercentEncoding(address);
}

QByteArray Build(const QString &address, const QString &service)
{
    const QString trimmed = service.trimmed();
    return trimmed.isEmpty() ? BuildGoogleMaps(address) : BuildRefAddr(trimmed.toUtf8(), address);
}

} // namespace MapSearchAddress
