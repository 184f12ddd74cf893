#include "Cp932Key.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One converter per thread; iconv descriptors are not shareable between threads.
class Cp932Converter
{
public:
    Cp932Converter() : m_cd(iconv_open("CP932", "UTF-16LE")) {}
    ~Cp932Converter()
    {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Cp932Converter(const Cp932Converter &) = delete;
    Cp932Converter &operator=(const Cp932Converter &) = delete;

    QByteArray Convert(const QString &text)
    {
        QByteArray out;
        if (text.isEmpty() || m_cd == iconv_t(-1))
            return out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(text.size() * 2 + 8);
        char *in = const_cast<char *>(reinterpret_cast<const char *>(text.utf16()));
        size_t inLeft = size_t(text.size()) * 2;
        char *dst = out.data();
        size_t outLeft = size_t(out.size());
        while (inLeft > 0) {
            if (iconv(m_cd, &in, &inLeft, &dst, &outLeft) != size_t(-1))
                break;
            if (errno == E2BIG) {
                const qsizetype used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                outLeft = size_t(out.size() - used);
                continue;
            }
            // Unmappable or broken input: substitute one character and go on.
            if (outLeft < 1) {
                const qsizetype used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                outLeft = size_t(out.size() - used);
            }
            *dst++ = '?';
            --outLeft;
            const auto unitAt = [in](int i) {
                return char16_t(quint8(in[2 * i]) | quint8(in[2 * i + 1]) << 8);
            };
            const bool pair =
                inLeft >= 4 && QChar::isHighSurrogate(unitAt(0)) && QChar::isLowSurrogate(unitAt(1));
            const size_t skip = pair ? 4 : 2;
            in += skip;
            inLeft -= qMin(skip, inLeft);
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(dst - out.data());
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

QByteArray Cp932Key(const QString &text)
{
    thread_local Cp932Converter converter;
    return converter.Convert(text);
}
