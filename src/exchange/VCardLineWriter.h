#pragma once

#include "VCardForm.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

// Appends vCard property lines to a byte buffer; every line ends with "\r\n".
//
// 3.0: UTF-8; text values escape "\", ",", ";" and line breaks ("\n"); lines are
// folded at 75 octets (the rest goes on after "\r\n" and one space), never inside a
// character or an escape.
//
// 2.1: Shift_JIS (code page 932), ";CHARSET=SHIFT_JIS" on values that need it. A
// value that this program's reader decodes on that property (Quotable) goes out as
// quoted-printable when it holds a line break or its line would pass 75 octets, with
// soft line breaks that keep each character's bytes on one line. The reader takes
// every other value from its one line, so those stay whole, with line breaks turned
// into spaces. Components escape "\" and ";" only, as the reader unescapes them;
// single values are written as they are, as it takes them whole.
class VCardLineWriter
{
public:
    enum Flag
    {
        NoFlags = 0,
        Quotable = 1, // 2.1: quoted-printable is read back on this property
    };

    VCardLineWriter(VCardForm form, QByteArray &out);

    VCardForm Form() const { return m_form; }

    // A whole line of ASCII, such as "BEGIN:VCARD".
    void Line(QLatin1StringView line);
    // One text value.
    void Text(QLatin1StringView head, QStringView value, int flags = NoFlags);
    // Components joined by ";", each escaped (N, ADR, ORG, SOUND).
    void Components(QLatin1StringView head, std::initializer_list<QStringView> parts, int flags = NoFlags);
    // Items joined by ",", each escaped (CATEGORIES).
    void List(QLatin1StringView head, const QStringList &items);
    // A value that takes no escapes (numbers, web addresses, dates).
    void Raw(QLatin1StringView head, QStringView value, int flags = NoFlags);
    // Base64 in folded lines; in 2.1 an empty line ends it.
    void Binary(QLatin1StringView head, QByteArrayView data);

private:
    enum class Escaping
    {
        None,
        Text,
        Component
    };

    void Write(QLatin1StringView head, const QStringView *parts, qsizetype count, char16_t separator,
               Escaping escaping, int flags);
    void Write30(QLatin1StringView head, const QStringView *parts, qsizetype count, char16_t separator,
                 Escaping escaping);
    void Write21(QLatin1StringView head, const QStringView *parts, qsizetype count, char16_t separator,
                 Escaping escaping, int flags);
    // Folded ASCII after the head (base64), from the given column.
    void AppendFolded(QByteArrayView ascii, qsizetype column);

    VCardForm m_form;
    QByteArray &m_out;
};
