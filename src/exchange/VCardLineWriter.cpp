#include "VCardLineWriter.h"

#include "Cp932.h"

#include <QVarLengthArray>

#include <cstring>

namespace {

constexpr qsizetype MaxOctets = 75;
const QLatin1StringView Charset21(";CHARSET=SHIFT_JIS");
const QLatin1StringView QuotedPrintable21(";ENCODING=QUOTED-PRINTABLE");

bool IsBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// Writes octets at a raw pointer, starting a continuation line ("\r\n ") whenever
// the next unit would pass 75 octets. The caller has made room for the worst case.
struct FoldingOut
{
    char *o;
    char *lineStart;

    void Put(const char *bytes, int n)
    {
        if (o - lineStart + n > MaxOctets) {
            *o++ = '\r';
            *o++ = '\n';
            lineStart = o;
            *o++ = ' ';
        }
        memcpy(o, bytes, size_t(n));
        o += n;
    }
    void Put(char c)
    {
        if (o - lineStart + 1 > MaxOctets) {
            *o++ = '\r';
            *o++ = '\n';
            lineStart = o;
            *o++ = ' ';
        }
        *o++ = c;
    }
};

// Text for 2.1 before encoding: components escape "\" and ";" (the reader's escapes);
// values the reader takes from one line lose their line breaks.
void Append21(QString &text, QStringView part, bool componentEscapes, bool keepBreaks)
{
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char16_t c = part[i].unicode();
        if (componentEscapes && (c == u'\\' || c == u';')) {
            text.append(u'\\');
            text.append(QChar(c));
        } else if (!keepBreaks && IsBreak(c)) {
            if (c == u'\r' && i + 1 < part.size() && part[i + 1] == u'\n')
                ++i;
            text.append(u' ');
        } else {
            text.append(QChar(c));
        }
    }
}

bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

const char HexDigits[] = "0123456789ABCDEF";

// Quoted-printable of code page 932 bytes from the given column: every byte outside
// printable ASCII, "=" and every space are encoded (so no line ends in white space);
// a soft line break ("=" at the end) keeps every line within 75 octets and never
// separates the two bytes of one character.
void AppendQuotedPrintable(QByteArray &out, qsizetype column, QByteArrayView bytes)
{
    char unit[6];
    for (qsizetype i = 0; i < bytes.size();) {
        const int count = IsLeadByte(uchar(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        int length = 0;
        for (int k = 0; k < count; ++k) {
            const uchar b = uchar(bytes[i + k]);
            if (b > 0x20 && b < 0x7F && b != '=') {
                unit[length++] = char(b);
            } else {
                unit[length++] = '=';
                unit[length++] = HexDigits[b >> 4];
                unit[length++] = HexDigits[b & 0xF];
            }
        }
        i += count;
        const bool last = i >= bytes.size();
        // A line that goes on needs room for its "=".
        if (column + length > (last ? MaxOctets : MaxOctets - 1)) {
            out.append("=\r\n", 3);
            column = 0;
        }
        out.append(unit, length);
        column += length;
    }
}

} // namespace

VCardLineWriter::VCardLineWriter(VCardForm form, QByteArray &out) : m_form(form), m_out(out)
{
}

void VCardLineWriter::Line(QLatin1StringView line)
{
    m_out.append(line.data(), line.size());
    m_out.append("\r\n", 2);
}

void VCardLineWriter::Text(QLatin1StringView head, QStringView value, int flags)
{
    Write(head, &value, 1, u';', Escaping::Text, flags);
}

void VCardLineWriter::Components(QLatin1StringView head, std::initializer_list<QStringView> parts, int flags)
{
    Write(head, parts.begin(), qsizetype(parts.size()), u';', Escaping::Component, flags);
}

void VCardLineWriter::List(QLatin1StringView head, const QStringList &items)
{
    QVarLengthArray<QStringView, 24> views;
    for (const QString &item : items)
        views.append(item);
    Write(head, views.constData(), views.size(), u',', Escaping::Component, NoFlags);
}

void VCardLineWriter::Raw(QLatin1StringView head, QStringView value, int flags)
{
    Write(head, &value, 1, u';', Escaping::None, flags);
}

void VCardLineWriter::Write(QLatin1StringView head, const QStringView *parts, qsizetype count,
                            char16_t separator, Escaping escaping, int flags)
{
    if (m_form == VCardForm::V30)
        Write30(head, parts, count, separator, escaping);
    else
        Write21(head, parts, count, separator, escaping, flags);
}

void VCardLineWriter::Write30(QLatin1StringView head, const QStringView *parts, qsizetype count,
                              char16_t separator, Escaping escaping)
{
    qsizetype units = head.size() + 1;
    for (qsizetype p = 0; p < count; ++p)
        units += parts[p].size() + 1;
    // At most 3 octets per UTF-16 unit (an escape takes 2 for one unit, a surrogate
    // pair 4 for two), a fold of 3 octets per 72 at least, and the line end.
    const qsizetype bound = units * 3 + (units * 3 / 72 + 1) * 3 + 2;
    const qsizetype start = m_out.size();
    m_out.resize(start + bound);
    FoldingOut out{m_out.data() + start, m_out.data() + start};
    for (char c : head)
        out.Put(c);
    out.Put(':');
    const bool escape = escaping != Escaping::None;
    for (qsizetype p = 0; p < count; ++p) {
        if (p > 0)
            out.Put(char(separator));
        const QStringView part = parts[p];
        const char16_t *s = part.utf16();
        const char16_t *end = s + part.size();
        for (; s < end; ++s) {
            const char16_t c = *s;
            if (c < 0x80) {
                if (IsBreak(c)) {
                    // "\r\n" is one line break.
                    if (c == u'\r' && s + 1 < end && s[1] == u'\n')
                        ++s;
                    if (escape)
                        out.Put("\\n", 2);
                    else
                        out.Put(' ');
                } else if (escape && (c == u'\\' || c == u',' || c == u';')) {
                    const char pair[2] = {'\\', char(c)};
                    out.Put(pair, 2);
                } else {
                    out.Put(char(c));
                }
            } else if (c < 0x800) {
                const char bytes[2] = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
                out.Put(bytes, 2);
            } else if (QChar::isHighSurrogate(c) && s + 1 < end && QChar::isLowSurrogate(s[1])) {
                const char32_t u = QChar::surrogateToUcs4(c, s[1]);
                ++s;
                const char bytes[4] = {char(0xF0 | (u >> 18)), char(0x80 | ((u >> 12) & 0x3F)),
                                       char(0x80 | ((u >> 6) & 0x3F)), char(0x80 | (u & 0x3F))};
                out.Put(bytes, 4);
            } else {
                // A lone surrogate has no UTF-8 form: U+FFFD stands for it.
                const char16_t v = QChar::isSurrogate(c) ? char16_t(0xFFFD) : c;
                const char bytes[3] = {char(0xE0 | (v >> 12)), char(0x80 | ((v >> 6) & 0x3F)),
                                       char(0x80 | (v & 0x3F))};
                out.Put(bytes, 3);
            }
        }
    }
    *out.o++ = '\r';
    *out.o++ = '\n';
    m_out.resize(out.o - m_out.constData());
}

void VCardLineWriter::Write21(QLatin1StringView head, const QStringView *parts, qsizetype count,
                              char16_t separator, Escaping escaping, int flags)
{
    const bool quotable = (flags & Quotable) != 0;
    QString text;
    for (qsizetype p = 0; p < count; ++p) {
        if (p > 0)
            text.append(QChar(separator));
        Append21(text, parts[p], escaping == Escaping::Component, quotable);
    }
    const QByteArray bytes = Cp932::Encode(text);
    bool ascii = true;
    bool breaks = false;
    for (char b : bytes) {
        ascii = ascii && uchar(b) < 0x80;
        breaks = breaks || b == '\r' || b == '\n';
    }
    const qsizetype start = m_out.size();
    m_out.append(head.data(), head.size());
    if (!ascii)
        m_out.append(Charset21.data(), Charset21.size());
    const qsizetype headLength = m_out.size() - start;
    if (quotable && (breaks || headLength + 1 + bytes.size() > MaxOctets)) {
        m_out.append(QuotedPrintable21.data(), QuotedPrintable21.size());
        m_out.append(':');
        AppendQuotedPrintable(m_out, m_out.size() - start, bytes);
    } else {
        m_out.append(':');
        m_out.append(bytes);
    }
    m_out.append("\r\n", 2);
}

void VCardLineWriter::Binary(QLatin1StringView head, QByteArrayView data)
{
    const qsizetype start = m_out.size();
    m_out.append(head.data(), head.size());
    m_out.append(':');
    AppendFolded(QByteArray::fromRawData(data.data(), data.size()).toBase64(), m_out.size() - start);
    m_out.append("\r\n", 2);
    if (m_form == VCardForm::V21)
        m_out.append("\r\n", 2);
}

void VCardLineWriter::AppendFolded(QByteArrayView ascii, qsizetype column)
{
    qsizetype at = 0;
    qsizetype room = MaxOctets - column;
    while (at < ascii.size()) {
        if (room <= 0) {
            m_out.append("\r\n ", 3);
            room = MaxOctets - 1;
        }
        const qsizetype take = qMin(room, ascii.size() - at);
        m_out.append(ascii.data() + at, take);
        at += take;
        room -= take;
    }
}
