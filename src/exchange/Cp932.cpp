#include "Cp932.h"

#include <QSysInfo>

#include <algorithm>
#include <cstring>

#include <cerrno>
#include <iconv.h>

namespace {

constexpr const char *Utf16Name = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

// iconv descriptors are costly to open, and CSV rows are converted one by one,
// so each thread keeps its own pair.
struct Converters
{
    iconv_t decoder = iconv_open(Utf16Name, "CP932");
    iconv_t encoder = iconv_open("CP932", Utf16Name);
    ~Converters()
    {
        if (decoder != iconv_t(-1))
            iconv_close(decoder);
        if (encoder != iconv_t(-1))
            iconv_close(encoder);
    }
};

Converters &ThreadConverters()
{
    thread_local Converters converters;
    return converters;
}

bool IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString Cp932::Decode(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    iconv_t cd = ThreadConverters().decoder;
    if (cd == iconv_t(-1))
        return QString::fromLatin1(bytes);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);

    // Every input byte gives at most one UTF-16 unit, replacements included.
    QString out(bytes.size(), Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outPtr = reinterpret_cast<char *>(out.data());
    size_t outLeft = size_t(out.size()) * 2;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen with the size above; stop rather than loop
        // EILSEQ or a truncated sequence: replace one byte and go on after it.
        const char16_t replacement = 0xFFFD;
        memcpy(outPtr, &replacement, 2);
        outPtr += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate((outPtr - reinterpret_cast<char *>(out.data())) / 2);
    return out;
}

QByteArray Cp932::Encode(QStringView text, bool *lossless)
{
    if (lossless)
        *lossless = true;
    if (IsAscii(text))
        return text.toLatin1();
    iconv_t cd = ThreadConverters().encoder;
    if (cd == iconv_t(-1)) {
        if (lossless)
            *lossless = false;
        return text.toLatin1();
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);

    // At most two bytes per UTF-16 unit.
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
    size_t inLeft = size_t(text.size()) * 2;
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        if (errno == E2BIG)
            break;
        // An unmappable character (or a lone surrogate): "?" in its place.
        char16_t unit;
        memcpy(&unit, in, 2);
        size_t skip = 2;
        if (QChar::isHighSurrogate(unit) && inLeft >= 4) {
            char16_t next;
            memcpy(&next, in + 2, 2);
            if (QChar::isLowSurrogate(next))
                skip = 4;
        }
        *outPtr++ = '?';
        --outLeft;
        in += skip;
        inLeft -= std::min(skip, inLeft);
        if (lossless)
            *lossless = false;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(outPtr - out.data());
    return out;
}
