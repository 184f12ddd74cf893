#include "Cp932.h"

#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>

namespace {

constexpr const char *Utf16Name = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
constexpr char16_t NoChar = 0;     // no 2-byte code maps to U+0000
constexpr quint16 NoCode = 0xFFFF; // no character encodes to FF FF
constexpr char16_t Replacement = 0xFFFD;

// The code page's tables, filled once from glibc iconv so that iconv stays the
// authority on the mapping while whole files convert at memory speed.
struct Tables
{
    char16_t single[256]; // NoChar for lead bytes and invalid bytes (0x00 is handled apart)
    bool lead[256];
    std::unique_ptr<char16_t[]> pair; // [(lead << 8) | trail]
    std::unique_ptr<quint16[]> code;  // per UTF-16 unit: 1 byte (<= 0xFF), 2 bytes, or NoCode

    Tables() : pair(new char16_t[65536]()), code(new quint16[65536])
    {
        iconv_t decoder = iconv_open(Utf16Name, "CP932");
        iconv_t encoder = iconv_open("CP932", Utf16Name);
        for (int b = 0; b < 256; ++b) {
            const char in[1] = {char(b)};
            single[b] = Convert(decoder, in, 1);
            lead[b] = single[b] == NoChar && b != 0 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
        }
        for (int l = 0; l < 256; ++l) {
            if (!lead[l])
                continue;
            for (int t = 0x40; t <= 0xFC; ++t) {
                const char in[2] = {char(l), char(t)};
                pair[(l << 8) | t] = Convert(decoder, in, 2);
            }
        }
        for (int u = 0; u < 65536; ++u) {
            code[u] = NoCode;
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const char16_t unit = char16_t(u);
            char out[4];
            char *in = reinterpret_cast<char *>(const_cast<char16_t *>(&unit));
            size_t inLeft = 2;
            char *outPtr = out;
            size_t outLeft = sizeof out;
            iconv(encoder, nullptr, nullptr, nullptr, nullptr);
            if (encoder == iconv_t(-1) || iconv(encoder, &in, &inLeft, &outPtr, &outLeft) == size_t(-1))
                continue;
            const size_t length = size_t(outPtr - out);
            if (length == 1)
                code[u] = quint8(out[0]);
            else if (length == 2)
                code[u] = quint16((quint8(out[0]) << 8) | quint8(out[1]));
        }
        if (decoder != iconv_t(-1))
            iconv_close(decoder);
        if (encoder != iconv_t(-1))
            iconv_close(encoder);
    }

    // One character from a complete byte sequence, or NoChar.
    static char16_t Convert(iconv_t cd, const char *bytes, size_t size)
    {
        if (cd == iconv_t(-1))
            return NoChar;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char16_t out[2] = {};
        char *in = const_cast<char *>(bytes);
        char *outPtr = reinterpret_cast<char *>(out);
        size_t inLeft = size;
        size_t outLeft = sizeof out;
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0 ||
            outPtr - reinterpret_cast<char *>(out) != 2)
            return NoChar;
        return out[0];
    }
};

const Tables &CodeTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

QString Cp932::Decode(QByteArrayView bytes)
{
    QString out;
    Decode(bytes, out);
    return out;
}

void Cp932::Decode(QByteArrayView bytes, QString &out)
{
    const Tables &t = CodeTables();
    // Every input byte gives at most one UTF-16 unit, replacements included.
    out.resize(bytes.size());
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            // Runs of ASCII are the bulk of vCard and CSV text: eight bytes at a time.
            while (end - p >= 8) {
                quint64 word;
                memcpy(&word, p, 8);
                if (word & 0x8080808080808080ULL)
                    break;
                for (int i = 0; i < 8; ++i)
                    o[i] = p[i];
                o += 8;
                p += 8;
            }
            while (p < end && *p < 0x80)
                *o++ = *p++;
        } else if (t.lead[b] && p + 1 < end && t.pair[(b << 8) | p[1]] != NoChar) {
            *o++ = t.pair[(b << 8) | p[1]];
            p += 2;
        } else {
            // An invalid byte becomes U+FFFD; decoding goes on with the next byte.
            *o++ = t.single[b] != NoChar ? t.single[b] : Replacement;
            ++p;
        }
    }
    out.truncate(o - reinterpret_cast<char16_t *>(out.data()));
}

QByteArray Cp932::Encode(QStringView text, bool *lossless)
{
    QByteArray out;
    Encode(text, out, lossless);
    return out;
}

void Cp932::Encode(QStringView text, QByteArray &out, bool *lossless)
{
    out.resize(text.size() * 2);
    bool exact = true;
    out.truncate(EncodeTo(text, out.data(), exact) - out.data());
    if (lossless)
        *lossless = exact;
}

char *Cp932::EncodeTo(QStringView text, char *out, bool &exact)
{
    const Tables &t = CodeTables();
    char *o = out;
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    for (; p < end; ++p) {
        const char16_t u = *p;
        if (u < 0x80) {
            *o++ = char(u);
            continue;
        }
        const quint16 c = t.code[u];
        if (c == NoCode) {
            // No code page 932 form (or a surrogate pair): one "?" per character.
            if (QChar::isHighSurrogate(u) && p + 1 < end && QChar::isLowSurrogate(p[1]))
                ++p;
            *o++ = '?';
            exact = false;
        } else if (c > 0xFF) {
            *o++ = char(c >> 8);
            *o++ = char(c & 0xFF);
        } else {
            *o++ = char(c);
        }
    }
    return o;
}
