#include "Utf8Detect.h"

#include <QFile>

namespace {

// Length of the valid UTF-8 sequence at p, or 0 when it is not valid.
int SequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = p[0];
    int length;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0; // overlong
        else if (c == 0xED)
            high = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    if (p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return length;
}

// Case-insensitive search for an upper-case ASCII needle.
bool ContainsUpper(QByteArrayView bytes, QByteArrayView needle)
{
    const qsizetype n = needle.size();
    for (qsizetype i = 0; i + n <= bytes.size(); ++i) {
        qsizetype k = 0;
        while (k < n) {
            char c = bytes[i + k];
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
            if (c != needle[k])
                break;
            ++k;
        }
        if (k == n)
            return true;
    }
    return false;
}

} // namespace

bool Utf8Detect::HasBom(QByteArrayView bytes)
{
    return bytes.size() >= 3 && bytes.startsWith("\xEF\xBB\xBF");
}

bool Utf8Detect::IsMultiByteUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    bool multiByte = false;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const int length = SequenceLength(p, end);
        if (length == 0)
            return false;
        multiByte = true;
        p += length;
    }
    return multiByte;
}

bool Utf8Detect::IsUtf8VCard(QByteArrayView bytes)
{
    if (HasBom(bytes))
        return true;
    if (!IsMultiByteUtf8(bytes))
        return false;
    return bytes.indexOf("VERSION:3.0") >= 0 || bytes.indexOf("VERSION:4.0") >= 0 ||
           ContainsUpper(bytes, "CHARSET=UTF-8");
}

bool Utf8Detect::IsUtf8Csv(QByteArrayView bytes)
{
    return HasBom(bytes) || IsMultiByteUtf8(bytes);
}

bool Utf8Detect::IsUtf8File(QFile &file, bool (*test)(QByteArrayView), bool &bom)
{
    const qint64 size = file.size();
    if (uchar *mapped = size > 0 ? file.map(0, size) : nullptr) {
        const QByteArrayView bytes(mapped, size);
        const bool utf8 = test(bytes);
        bom = HasBom(bytes);
        file.unmap(mapped);
        return utf8;
    }
    const QByteArray bytes = file.readAll();
    bom = HasBom(bytes);
    return test(bytes);
}
