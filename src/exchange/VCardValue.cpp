#include "VCardValue.h"

#include "Cp932.h"

#include <QStringList>

namespace {

constexpr int MaxPhoneLength = 32;
constexpr int MaxMailLength = 128;
constexpr int MaxUrlRest = 1024;
const QLatin1StringView SchemeSeparator("://");

bool IsAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// A pair such as "G1" is read as far as it is hexadecimal ("G1" gives 0, "1G" gives 1).
char HexPair(QChar a, QChar b)
{
    const int high = HexDigit(a);
    if (high < 0)
        return 0;
    const int low = HexDigit(b);
    if (low < 0)
        return char(high);
    return char(high * 16 + low);
}

int Base64Value(char16_t u)
{
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 26;
    if (u >= '0' && u <= '9')
        return u - '0' + 52;
    if (u == '+')
        return 62;
    if (u == '/')
        return 63;
    return -1;
}

bool IsMailChar(char16_t u)
{
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    static constexpr char16_t extra[] = u"\t.-@_/:~!#$%&'*+=?^`{}|()<>[];, \\\"";
    for (char16_t e : extra)
        if (e != 0 && e == u)
            return true;
    return false;
}

// Position of a "dd/dd/dd" (or "dddd/dd/dd" when yearDigits is 4) anywhere in text.
bool ContainsDate(QStringView text, int yearDigits)
{
    const int length = yearDigits + 6;
    for (qsizetype i = 0; i + length <= text.size(); ++i) {
        bool ok = true;
        for (int k = 0; k < length && ok; ++k) {
            const QChar c = text[i + k];
            if (k == yearDigits || k == yearDigits + 3)
                ok = c == u'/';
            else
                ok = c.unicode() >= '0' && c.unicode() <= '9';
        }
        if (ok)
            return true;
    }
    return false;
}

} // namespace

bool VCardValue::DecodeQuotedPrintable(QStringView text, bool utf8, QByteArray &bytes)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'=') {
            const bool pair = i + 2 < text.size();
            if (pair && text[i + 1] == u'\r' && text[i + 2] == u'\n') {
                i += 2; // soft line break
                continue;
            }
            if (pair && IsAsciiAlnum(text[i + 1]) && IsAsciiAlnum(text[i + 2])) {
                bytes.append(HexPair(text[i + 1], text[i + 2]));
                i += 2;
                continue;
            }
            return false;
        }
        if (c == u'\r' || c == u'\n')
            continue;
        if (c.unicode() < 0x80) {
            bytes.append(char(c.unicode()));
            continue;
        }
        // A character outside ASCII stands for its own bytes in the input's encoding.
        qsizetype end = i + 1;
        while (end < text.size() && text[end].unicode() >= 0x80)
            ++end;
        const QStringView run = text.mid(i, end - i);
        bytes.append(utf8 ? run.toUtf8() : Cp932::Encode(run));
        i = end - 1;
    }
    return true;
}

void VCardValue::Base64Decoder::Feed(QStringView text)
{
    for (QChar c : text) {
        const int value = Base64Value(c.unicode());
        if (value < 0)
            continue;
        m_bits = (m_bits << 6) | quint32(value);
        if (++m_count == 4) {
            m_bytes.append(char((m_bits >> 16) & 0xFF));
            m_bytes.append(char((m_bits >> 8) & 0xFF));
            m_bytes.append(char(m_bits & 0xFF));
            m_bits = 0;
            m_count = 0;
        }
    }
}

QByteArray VCardValue::Base64Decoder::Finish()
{
    // A short final group gives the whole bytes its bits allow: 2 characters 1 byte, 3 give 2.
    if (m_count == 2) {
        m_bytes.append(char((m_bits >> 4) & 0xFF));
    } else if (m_count == 3) {
        m_bytes.append(char((m_bits >> 10) & 0xFF));
        m_bytes.append(char((m_bits >> 2) & 0xFF));
    }
    m_bits = 0;
    m_count = 0;
    return std::move(m_bytes);
}

QString VCardValue::ProtectEscapes(QStringView text)
{
    QString out = text.toString();
    if (!text.contains(u'\\'))
        return out;
    out.replace(QLatin1StringView("\\\\"), QLatin1StringView("\\YEN"));
    out.replace(QLatin1StringView("\\;"), QLatin1StringView("\\SEMICOLON"));
    out.replace(QLatin1StringView("\\,"), QLatin1StringView("\\COMMA"));
    return out;
}

QString VCardValue::Unescape(const QString &text)
{
    if (!text.contains(u'\\'))
        return text;
    QString out = text;
    out.replace(QLatin1StringView("\\SEMICOLON"), QLatin1StringView(";"));
    out.replace(QLatin1StringView("\\COMMA"), QLatin1StringView(","));
    out.replace(QLatin1StringView("\\YEN"), QLatin1StringView("\\"));
    return out;
}

QString VCardValue::NormalisePhone(QStringView text)
{
    QString number(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(number.data());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case ' ':
        case '(':
        case ')':
        case '?':
            break;
        case ',':
        case 'p':
            *out++ = u'P';
            break;
        default:
            const bool allowed =
                (u >= '0' && u <= '9') || u == '#' || u == '*' || u == 'P' || u == '+' || u == '-';
            if (!allowed)
                return QString();
            *out++ = u;
        }
    }
    number.truncate(out - reinterpret_cast<char16_t *>(number.data()));
    // Pause-separated tails are dropped one by one until the number fits.
    while (number.size() > MaxPhoneLength) {
        const qsizetype lastP = number.lastIndexOf(u'P');
        if (lastP < 0) {
            number.truncate(MaxPhoneLength);
        } else if (lastP != number.size() - 1) {
            number.truncate(lastP + 1);
        } else {
            number.chop(1);
            const qsizetype previous = number.lastIndexOf(u'P');
            if (previous >= 0)
                number.truncate(previous + 1);
        }
    }
    return number;
}

QString VCardValue::NormaliseMail(QStringView text)
{
    for (QChar c : text)
        if (!IsMailChar(c.unicode()))
            return QString();
    return text.left(MaxMailLength).toString();
}

QString VCardValue::CutUrl(QStringView text)
{
    QStringView scheme;
    QStringView rest = text;
    const qsizetype at = text.indexOf(SchemeSeparator);
    if (at >= 0) {
        scheme = text.left(at + SchemeSeparator.size());
        rest = text.mid(at + SchemeSeparator.size());
    }
    const qsizetype limit = MaxUrlRest - SchemeSeparator.size();
    while (rest.size() > limit) {
        if (!rest.contains(u'/')) {
            // Nothing left to cut at: keep the first 1024 characters and stop.
            rest = rest.left(MaxUrlRest);
            break;
        }
        if (rest.endsWith(u'/')) {
            rest.chop(1);
            const qsizetype slash = rest.lastIndexOf(u'/');
            if (slash >= 0)
                rest = rest.left(slash + 1);
        } else {
            rest = rest.left(rest.lastIndexOf(u'/') + 1);
        }
    }
    return scheme.toString() + rest.toString();
}

bool VCardValue::NormaliseNoteDate(QString &text)
{
    if (ContainsDate(text, 4))
        return true;
    if (ContainsDate(text, 2)) {
        text.prepend(QLatin1StringView("20"));
        return true;
    }
    return false;
}
