#include "MapSearchAddress.h"

#include <QUrl>

#include <cerrno>
#include <iconv.h>

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

QByteArray ToCp932(const QString &text)
{
    QByteArray out;
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out;
    // One character (one or two UTF-16 units) at a time, so an unmappable one is replaced alone.
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype units = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        char16_t in[2] = {text[i].unicode(), units == 2 ? text[i + 1].unicode() : char16_t(0)};
        i += units - 1;
        char buf[8];
        char *inPtr = reinterpret_cast<char *>(in);
        size_t inLeft = units * 2;
        char *outPtr = buf;
        size_t outLeft = sizeof buf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
            out.append('?');
        else
            out.append(buf, static_cast<qsizetype>(sizeof buf - outLeft));
    }
    iconv_close(cd);
    return out;
}

QByteArray BuildRefAddr(const QByteArray &service, const QString &address)
{
    return service + "?REF=" + Escape(ProfileName) + "&ADDR=" + Escape(SjisToEuc(ToCp932(address)));
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
