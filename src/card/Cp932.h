#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Shift_JIS (code page 932): at the file and wire boundary, in sort keys and in map
// addresses, from tables that glibc iconv fills once.
class Cp932
{
public:
    // Bytes that are not valid code page 932 become U+FFFD; decoding goes on after them.
    static QString Decode(QByteArrayView bytes);
    // The same into out, reusing its memory.
    static void Decode(QByteArrayView bytes, QString &out);
    // Characters without a code page 932 form become "?"; *lossless tells whether any did.
    static QByteArray Encode(QStringView text, bool *lossless = nullptr);
    // The same into out, reusing its memory.
    static void Encode(QStringView text, QByteArray &out, bool *lossless = nullptr);
    // Encodes text at out, which has room for 2 * text.size() bytes; returns the end.
    // exact is cleared when a character had no form.
    static char *EncodeTo(QStringView text, char *out, bool &exact);
};
